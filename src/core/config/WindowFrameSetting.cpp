#include "core/config/WindowFrameSetting.h"

#include "core/config/XMLValues.h"
#include "core/errors/Errors.h"

#include <string>

namespace hollowsweep {

namespace {

// Left and top are kept as text; they read as whole numbers.
std::int32_t ReadPosition(const std::string& text, const char* name) {
    try {
        return TextToInteger(text);
    } catch (const ConversionError& error) {
        throw ConversionError(std::string("<frame> ") + name + ": " + error.what());
    }
}

} // namespace

WindowFrame ReadWindowFrame(ConfigRoot& root) {
    const FrameSettingPtr setting = root.GetFrame();
    WindowFrame frame;
    frame.Left = ReadPosition(setting->GetLeft(), "left");
    frame.Top = ReadPosition(setting->GetTop(), "top");
    frame.Width = setting->GetWidth();
    frame.Height = setting->GetHeight();
    frame.Maximized = setting->GetMax();
    return frame;
}

void WriteWindowFrame(ConfigRoot& root, const WindowFrame& frame) {
    const FrameSettingPtr setting = root.GetFrame();
    setting->SetMax(frame.Maximized);
    setting->SetLeft(std::to_string(frame.Left));
    setting->SetTop(std::to_string(frame.Top));
    setting->SetHeight(frame.Height);
    setting->SetWidth(frame.Width);
}

} // namespace hollowsweep
