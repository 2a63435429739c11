#include "core/config/ConfigBinding.h"

#include "core/config/XMLValues.h"
#include "core/errors/Errors.h"

namespace hollowsweep {

namespace {

template <class ChildType>
std::shared_ptr<ChildType> ReadChild(XMLNode& element, std::string_view tag) {
    return element.ChildByTag(tag)->As<ChildType>();
}

} // namespace

namespace {

ConfigRootPtr BindRoot(const XMLDocument& document, const std::string& source) {
    const XMLNodePtr root = document.DocumentElement();
    if (root->Name() != "config") {
        throw ParseError(source + ": the root element is <" + root->Name() + ">, not <config>", 0);
    }
    return root->As<ConfigRoot>();
}

} // namespace

ConfigRootPtr LoadConfig(const std::string& path) {
    XMLDocument document;
    document.LoadFromFile(path);
    return BindRoot(document, path);
}

ConfigRootPtr ParseConfig(std::string_view text, const std::string& source) {
    XMLDocument document;
    document.SetXML(text, source);
    return BindRoot(document, source);
}

std::int32_t ConfigRoot::GetVersionNo() {
    return ReadInteger(*this, "versionNo");
}
FrameSettingPtr ConfigRoot::GetFrame() {
    return ReadChild<FrameSetting>(*this, "frame");
}
ColumnSettingsPtr ConfigRoot::GetNodes() {
    return ReadChild<ColumnSettings>(*this, "nodes");
}
AgeRangesPtr ConfigRoot::GetAgerange() {
    return ReadChild<AgeRanges>(*this, "agerange");
}
SizeRangesPtr ConfigRoot::GetSizerange() {
    return ReadChild<SizeRanges>(*this, "sizerange");
}
void ConfigRoot::SetVersionNo(std::int32_t value) {
    WriteInteger(*this, "versionNo", value);
}

std::string FrameSetting::GetLeft() {
    return ReadText(*this, "left");
}
std::string FrameSetting::GetTop() {
    return ReadText(*this, "top");
}
std::int32_t FrameSetting::GetHeight() {
    return ReadInteger(*this, "height");
}
std::int32_t FrameSetting::GetWidth() {
    return ReadInteger(*this, "width");
}
bool FrameSetting::GetMax() {
    return ReadBoolean(*this, "max");
}
LeftPanelSettingPtr FrameSetting::GetPlLeft() {
    return ReadChild<LeftPanelSetting>(*this, "plLeft");
}
HintPanelSettingPtr FrameSetting::GetPlHint() {
    return ReadChild<HintPanelSetting>(*this, "plHint");
}
void FrameSetting::SetLeft(const std::string& value) {
    WriteText(*this, "left", value);
}
void FrameSetting::SetTop(const std::string& value) {
    WriteText(*this, "top", value);
}
void FrameSetting::SetHeight(std::int32_t value) {
    WriteInteger(*this, "height", value);
}
void FrameSetting::SetWidth(std::int32_t value) {
    WriteInteger(*this, "width", value);
}
void FrameSetting::SetMax(bool value) {
    WriteBoolean(*this, "max", value);
}

std::int32_t LeftPanelSetting::GetWidth() {
    return ReadInteger(*this, "width");
}
std::int32_t LeftPanelSetting::GetCol1() {
    return ReadInteger(*this, "col1");
}
std::int32_t LeftPanelSetting::GetCol2() {
    return ReadInteger(*this, "col2");
}
std::int32_t LeftPanelSetting::GetCol3() {
    return ReadInteger(*this, "col3");
}
void LeftPanelSetting::SetWidth(std::int32_t value) {
    WriteInteger(*this, "width", value);
}
void LeftPanelSetting::SetCol1(std::int32_t value) {
    WriteInteger(*this, "col1", value);
}
void LeftPanelSetting::SetCol2(std::int32_t value) {
    WriteInteger(*this, "col2", value);
}
void LeftPanelSetting::SetCol3(std::int32_t value) {
    WriteInteger(*this, "col3", value);
}

std::int32_t HintPanelSetting::GetHeight() {
    return ReadInteger(*this, "height");
}
std::int32_t HintPanelSetting::GetCol1() {
    return ReadInteger(*this, "col1");
}
std::int32_t HintPanelSetting::GetCol2() {
    return ReadInteger(*this, "col2");
}
void HintPanelSetting::SetHeight(std::int32_t value) {
    WriteInteger(*this, "height", value);
}
void HintPanelSetting::SetCol1(std::int32_t value) {
    WriteInteger(*this, "col1", value);
}
void HintPanelSetting::SetCol2(std::int32_t value) {
    WriteInteger(*this, "col2", value);
}

std::string ColumnSetting::GetName() {
    return ReadText(*this, "Name");
}
bool ColumnSetting::GetDefaultExport() {
    return ReadBoolean(*this, "DefaultExport");
}
bool ColumnSetting::GetReadOnly() {
    return ReadBoolean(*this, "ReadOnly");
}
std::string ColumnSetting::GetAlign() {
    return ReadText(*this, "Align");
}
std::int32_t ColumnSetting::GetWidth() {
    return ReadInteger(*this, "Width");
}
bool ColumnSetting::GetVisible() {
    return ReadBoolean(*this, "Visible");
}
std::int32_t ColumnSetting::GetIndex() {
    return ReadInteger(*this, "Index");
}
void ColumnSetting::SetName(const std::string& value) {
    WriteText(*this, "Name", value);
}
void ColumnSetting::SetDefaultExport(bool value) {
    WriteBoolean(*this, "DefaultExport", value);
}
void ColumnSetting::SetReadOnly(bool value) {
    WriteBoolean(*this, "ReadOnly", value);
}
void ColumnSetting::SetAlign(const std::string& value) {
    WriteText(*this, "Align", value);
}
void ColumnSetting::SetWidth(std::int32_t value) {
    WriteInteger(*this, "Width", value);
}
void ColumnSetting::SetVisible(bool value) {
    WriteBoolean(*this, "Visible", value);
}
void ColumnSetting::SetIndex(std::int32_t value) {
    WriteInteger(*this, "Index", value);
}

std::string RangeItem::GetLabel() {
    return ReadText(*this, "label");
}
std::int32_t RangeItem::GetValue() {
    return ReadInteger(*this, "value");
}
void RangeItem::SetLabel(const std::string& value) {
    WriteText(*this, "label", value);
}
void RangeItem::SetValue(std::int32_t value) {
    WriteInteger(*this, "value", value);
}

} // namespace hollowsweep
