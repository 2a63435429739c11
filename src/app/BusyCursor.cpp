#include "app/BusyCursor.h"

#include <QApplication>

namespace hollowsweep::app {

namespace {

// About where sorting the list starts to take a tenth of a second on a slow
// machine.
constexpr std::size_t ManyEntries = 50'000;

} // namespace

BusyCursor::BusyCursor(std::size_t entries)
    : shown_(entries >= ManyEntries) {
    if (shown_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

BusyCursor::~BusyCursor() {
    if (shown_) {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace hollowsweep::app
