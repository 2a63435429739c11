#pragma once

#include "core/config/ConfigBinding.h"

#include <cstdint>

namespace hollowsweep {

// The main window's place on the desktop as the "frame" element keeps it:
// the position of its frame, the size of its client area while not
// maximised, and whether it is maximised.
struct WindowFrame {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Maximized = false;

    bool operator==(const WindowFrame&) const = default;
};

// The place the default configuration holds, which no window stored: a
// window that finds it opens at its designed size.
inline constexpr WindowFrame UnstoredWindowFrame{0, 0, 800, 600, true};

// A value that does not read raises ConversionError naming it.
WindowFrame ReadWindowFrame(ConfigRoot& root);
void WriteWindowFrame(ConfigRoot& root, const WindowFrame& frame);

} // namespace hollowsweep
