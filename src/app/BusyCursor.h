#pragma once

#include <cstddef>

namespace hollowsweep::app {

// The busy cursor while work on a list of this many entries runs, when that
// can take longer than a tenth of a second; the cursor the user had is back
// when it goes.
class BusyCursor {
public:
    explicit BusyCursor(std::size_t entries);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_ = false;
};

} // namespace hollowsweep::app
