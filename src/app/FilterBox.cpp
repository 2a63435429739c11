#include "app/FilterBox.h"

#include "app/BusyCursor.h"
#include "app/ExceptionGuard.h"
#include "app/PathText.h"
#include "core/results/ResultList.h"

#include <QKeyEvent>
#include <QShortcut>

namespace hollowsweep::app {

FilterBox::FilterBox(ResultList& list, QWidget* window, QWidget* parent)
    : QLineEdit(parent) {
    setPlaceholderText(tr("Filter by path (Ctrl+F); *, ? and [ ] match as in a glob"));
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textChanged, this, [&list](const QString& text) {
        Guarded([&] {
            const BusyCursor busy(list.Count());
            list.SetFilter(LocalPath(text));
        });
    });
    auto* find = new QShortcut(QKeySequence::Find, window);
    connect(find, &QShortcut::activated, this, [this] {
        setFocus(Qt::ShortcutFocusReason);
        selectAll();
    });
}

void FilterBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace hollowsweep::app
