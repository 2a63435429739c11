#include "config/QuillfenConfig.h"

#include "config/XMLValues.h"
#include "errors/Errors.h"

namespace hollowsweep {

namespace {

template <class TChild> std::shared_ptr<TChild> ReadChild(TXMLNode& element, std::string_view tag) {
    return element.ChildByTag(tag)->As<TChild>();
}

} // namespace

namespace {

IXMLConfigType BindRoot(const TXMLDocument& document, const std::string& source) {
    const TXMLNodeHandle root = document.DocumentElement();
    if (root->Name() != "config") {
        throw TParseError(source + ": the root element is <" + root->Name() + ">, not <config>", 0);
    }
    return root->As<TXMLConfigType>();
}

} // namespace

IXMLConfigType LoadConfig(const std::string& path) {
    TXMLDocument document;
    document.LoadFromFile(path);
    return BindRoot(document, path);
}

IXMLConfigType ParseConfig(std::string_view text, const std::string& source) {
    TXMLDocument document;
    document.SetXML(text, source);
    return BindRoot(document, source);
}

std::int32_t TXMLConfigType::GetVersionNo() {
    return ReadInteger(*this, "versionNo");
}
IXMLFrameType TXMLConfigType::GetFrame() {
    return ReadChild<TXMLFrameType>(*this, "frame");
}
IXMLNodesType TXMLConfigType::GetNodes() {
    return ReadChild<TXMLNodesType>(*this, "nodes");
}
IXMLAgerangeType TXMLConfigType::GetAgerange() {
    return ReadChild<TXMLAgerangeType>(*this, "agerange");
}
IXMLSizerangeType TXMLConfigType::GetSizerange() {
    return ReadChild<TXMLSizerangeType>(*this, "sizerange");
}
void TXMLConfigType::SetVersionNo(std::int32_t value) {
    WriteInteger(*this, "versionNo", value);
}

std::string TXMLFrameType::GetLeft() {
    return ReadText(*this, "left");
}
std::string TXMLFrameType::GetTop() {
    return ReadText(*this, "top");
}
std::int32_t TXMLFrameType::GetHeight() {
    return ReadInteger(*this, "height");
}
std::int32_t TXMLFrameType::GetWidth() {
    return ReadInteger(*this, "width");
}
bool TXMLFrameType::GetMax() {
    return ReadBoolean(*this, "max");
}
IXMLPlLeftType TXMLFrameType::GetPlLeft() {
    return ReadChild<TXMLPlLeftType>(*this, "plLeft");
}
IXMLPlHintType TXMLFrameType::GetPlHint() {
    return ReadChild<TXMLPlHintType>(*this, "plHint");
}
void TXMLFrameType::SetLeft(const std::string& value) {
    WriteText(*this, "left", value);
}
void TXMLFrameType::SetTop(const std::string& value) {
    WriteText(*this, "top", value);
}
void TXMLFrameType::SetHeight(std::int32_t value) {
    WriteInteger(*this, "height", value);
}
void TXMLFrameType::SetWidth(std::int32_t value) {
    WriteInteger(*this, "width", value);
}
void TXMLFrameType::SetMax(bool value) {
    WriteBoolean(*this, "max", value);
}

std::int32_t TXMLPlLeftType::GetWidth() {
    return ReadInteger(*this, "width");
}
std::int32_t TXMLPlLeftType::GetCol1() {
    return ReadInteger(*this, "col1");
}
std::int32_t TXMLPlLeftType::GetCol2() {
    return ReadInteger(*this, "col2");
}
std::int32_t TXMLPlLeftType::GetCol3() {
    return ReadInteger(*this, "col3");
}
void TXMLPlLeftType::SetWidth(std::int32_t value) {
    WriteInteger(*this, "width", value);
}
void TXMLPlLeftType::SetCol1(std::int32_t value) {
    WriteInteger(*this, "col1", value);
}
void TXMLPlLeftType::SetCol2(std::int32_t value) {
    WriteInteger(*this, "col2", value);
}
void TXMLPlLeftType::SetCol3(std::int32_t value) {
    WriteInteger(*this, "col3", value);
}

std::int32_t TXMLPlHintType::GetHeight() {
    return ReadInteger(*this, "height");
}
std::int32_t TXMLPlHintType::GetCol1() {
    return ReadInteger(*this, "col1");
}
std::int32_t TXMLPlHintType::GetCol2() {
    return ReadInteger(*this, "col2");
}
void TXMLPlHintType::SetHeight(std::int32_t value) {
    WriteInteger(*this, "height", value);
}
void TXMLPlHintType::SetCol1(std::int32_t value) {
    WriteInteger(*this, "col1", value);
}
void TXMLPlHintType::SetCol2(std::int32_t value) {
    WriteInteger(*this, "col2", value);
}

std::string TXMLNodeType::GetName() {
    return ReadText(*this, "Name");
}
bool TXMLNodeType::GetDefaultExport() {
    return ReadBoolean(*this, "DefaultExport");
}
bool TXMLNodeType::GetReadOnly() {
    return ReadBoolean(*this, "ReadOnly");
}
std::string TXMLNodeType::GetAlign() {
    return ReadText(*this, "Align");
}
std::int32_t TXMLNodeType::GetWidth() {
    return ReadInteger(*this, "Width");
}
bool TXMLNodeType::GetVisible() {
    return ReadBoolean(*this, "Visible");
}
std::int32_t TXMLNodeType::GetIndex() {
    return ReadInteger(*this, "Index");
}
void TXMLNodeType::SetName(const std::string& value) {
    WriteText(*this, "Name", value);
}
void TXMLNodeType::SetDefaultExport(bool value) {
    WriteBoolean(*this, "DefaultExport", value);
}
void TXMLNodeType::SetReadOnly(bool value) {
    WriteBoolean(*this, "ReadOnly", value);
}
void TXMLNodeType::SetAlign(const std::string& value) {
    WriteText(*this, "Align", value);
}
void TXMLNodeType::SetWidth(std::int32_t value) {
    WriteInteger(*this, "Width", value);
}
void TXMLNodeType::SetVisible(bool value) {
    WriteBoolean(*this, "Visible", value);
}
void TXMLNodeType::SetIndex(std::int32_t value) {
    WriteInteger(*this, "Index", value);
}

std::string TXMLItemType::GetLabel() {
    return ReadText(*this, "label");
}
std::int32_t TXMLItemType::GetValue() {
    return ReadInteger(*this, "value");
}
void TXMLItemType::SetLabel(const std::string& value) {
    WriteText(*this, "label", value);
}
void TXMLItemType::SetValue(std::int32_t value) {
    WriteInteger(*this, "value", value);
}

} // namespace hollowsweep
