#include "config/XMLDocument.h"

#include "errors/Errors.h"
#include "platform/TextOutput.h"
#include "platform/WholeFile.h"

#include <pugixml.hpp>

namespace hollowsweep {

struct TXMLTree {
    pugi::xml_document Document;
};

namespace {

constexpr unsigned ParseOptions = pugi::parse_full;
constexpr unsigned WriteOptions = pugi::format_raw;

// The parser accepts more than XML allows at the top: a document needs exactly
// one root element and no text beside it.
bool HasOneRoot(const pugi::xml_document& document) {
    int elements = 0;
    for (const pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_element) {
            ++elements;
        } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            return false;
        }
    }
    return elements == 1;
}

// The attribute of exactly that name, appended empty when the element has none.
pugi::xml_attribute AttributeOf(pugi::xml_node node, std::string_view name) {
    const std::string key(name);
    const pugi::xml_attribute found = node.attribute(key.c_str());
    return found ? found : node.append_attribute(key.c_str());
}

// Serialised text goes straight to its destination, with no stream between.
class TOutputWriter final : public pugi::xml_writer {
public:
    explicit TOutputWriter(TTextOutput& out)
        : out_(out) {}
    void write(const void* data, std::size_t size) override {
        out_.Append(std::string_view(static_cast<const char*>(data), size));
    }

private:
    TTextOutput& out_;
};

std::string Print(const pugi::xml_node& node) {
    TTextOutput out;
    TOutputWriter writer(out);
    node.print(writer, "", WriteOptions | pugi::format_no_declaration);
    return std::move(out.Text());
}

} // namespace

TXMLDocument::TXMLDocument()
    : tree_(std::make_shared<TXMLTree>()) {}

// Parses into a fresh tree, so a failure leaves the document as it was.
void TXMLDocument::Parse(std::string text, const std::string& source) {
    auto tree = std::make_shared<TXMLTree>();
    const pugi::xml_parse_result result =
        tree->Document.load_buffer(text.data(), text.size(), ParseOptions);
    if (!result) {
        throw TParseError(source + ": " + result.description() + " at offset " +
                              std::to_string(result.offset),
                          result.offset);
    }
    if (!HasOneRoot(tree->Document)) {
        throw TParseError(source + ": a document needs exactly one root element", 0);
    }
    tree_ = std::move(tree);
    text_ = std::move(text);
    active_ = true;
}

void TXMLDocument::LoadFromFile(const std::string& path) {
    Parse(ReadWholeFile(path), path);
}

void TXMLDocument::SetXML(std::string_view text, const std::string& source) {
    Parse(std::string(text), source);
}

bool TXMLDocument::Active() const noexcept {
    return active_;
}

void TXMLDocument::SetActive(bool active) {
    if (active && !active_) {
        Parse(text_, "XML text");
    } else if (!active) {
        tree_ = std::make_shared<TXMLTree>();
        active_ = false;
    }
}

TXMLNodeHandle TXMLDocument::DocumentElement() const {
    const pugi::xml_node root = tree_->Document.document_element();
    return root ? std::make_shared<TXMLNode>(tree_, root.internal_object()) : nullptr;
}

void TXMLDocument::Write(TTextOutput& out) const {
    TOutputWriter writer(out);
    tree_->Document.save(writer, "", WriteOptions | pugi::format_no_declaration);
}

std::string TXMLDocument::Text() const {
    TTextOutput out;
    Write(out);
    return std::move(out.Text());
}

void TXMLDocument::SaveToFile(const std::string& path) const {
    TTextOutput file(path);
    Write(file);
    file.Close();
}

std::string TXMLNode::Name() const {
    const pugi::xml_node node(node_);
    switch (node.type()) {
    case pugi::node_element:
        return node.name();
    case pugi::node_comment:
        return "#comment";
    case pugi::node_cdata:
        return "#cdata-section";
    case pugi::node_pcdata:
        return "#text";
    default:
        return node.name();
    }
}

bool TXMLNode::IsElement() const noexcept {
    return pugi::xml_node(node_).type() == pugi::node_element;
}

std::string TXMLNode::Markup() const {
    return Print(pugi::xml_node(node_));
}

std::size_t TXMLNode::ChildCount() const noexcept {
    std::size_t count = 0;
    for (pugi::xml_node child = pugi::xml_node(node_).first_child(); child;
         child = child.next_sibling()) {
        ++count;
    }
    return count;
}

bool TXMLNode::HasChildNodes() const noexcept {
    return static_cast<bool>(pugi::xml_node(node_).first_child());
}

TXMLNodeHandle TXMLNode::FirstChild() const {
    const pugi::xml_node child = pugi::xml_node(node_).first_child();
    return child ? Wrap(child.internal_object()) : nullptr;
}

TXMLNodeHandle TXMLNode::NextSibling() const {
    const pugi::xml_node sibling = pugi::xml_node(node_).next_sibling();
    return sibling ? Wrap(sibling.internal_object()) : nullptr;
}

TXMLNodeHandle TXMLNode::Child(std::size_t position) const {
    std::size_t index = 0;
    for (pugi::xml_node child = pugi::xml_node(node_).first_child(); child;
         child = child.next_sibling(), ++index) {
        if (index == position) {
            return Wrap(child.internal_object());
        }
    }
    throw TIndexError(position, index);
}

TXMLNodeHandle TXMLNode::ChildByTag(std::string_view tag) {
    const std::string name(tag);
    pugi::xml_node node(node_);
    pugi::xml_node child = node.child(name.c_str());
    return Wrap((child ? child : node.append_child(name.c_str())).internal_object());
}

TXMLNodeHandle TXMLNode::AppendChild(std::string_view tag) {
    return Wrap(pugi::xml_node(node_).append_child(std::string(tag).c_str()).internal_object());
}

TXMLNodeHandle TXMLNode::InsertChild(std::size_t position, std::string_view tag) {
    pugi::xml_node node(node_);
    pugi::xml_node before = node.first_child();
    for (std::size_t index = 0; before && index < position; ++index) {
        before = before.next_sibling();
    }
    const std::string name(tag);
    const pugi::xml_node added =
        before ? node.insert_child_before(name.c_str(), before) : node.append_child(name.c_str());
    return Wrap(added.internal_object());
}

void TXMLNode::RemoveChildren() {
    pugi::xml_node(node_).remove_children();
}

void TXMLNode::RemoveChild(const TXMLNode& child) {
    pugi::xml_node(node_).remove_child(pugi::xml_node(child.node_));
}

namespace {

bool IsElementNamed(const pugi::xml_node& node, const std::string& tag) {
    return node.type() == pugi::node_element && tag == node.name();
}

} // namespace

std::size_t TXMLNode::CountChildElements(std::string_view tag) const {
    const std::string name(tag);
    std::size_t count = 0;
    for (const pugi::xml_node child : pugi::xml_node(node_).children()) {
        count += IsElementNamed(child, name) ? 1 : 0;
    }
    return count;
}

TXMLNodeHandle TXMLNode::ChildElement(std::string_view tag, std::size_t position) const {
    const std::string name(tag);
    std::size_t index = 0;
    for (const pugi::xml_node child : pugi::xml_node(node_).children()) {
        if (IsElementNamed(child, name) && index++ == position) {
            return Wrap(child.internal_object());
        }
    }
    throw TIndexError(position, index);
}

std::optional<std::size_t> TXMLNode::ChildElementPosition(std::string_view tag,
                                                          const TXMLNode& child) const {
    const std::string name(tag);
    std::size_t index = 0;
    for (const pugi::xml_node node : pugi::xml_node(node_).children()) {
        if (IsElementNamed(node, name)) {
            if (node.internal_object() == child.node_) {
                return index;
            }
            ++index;
        }
    }
    return std::nullopt;
}

bool TXMLNode::HasAttribute(std::string_view name) const {
    return static_cast<bool>(pugi::xml_node(node_).attribute(std::string(name).c_str()));
}

std::string TXMLNode::Attribute(std::string_view name) {
    return AttributeOf(pugi::xml_node(node_), name).value();
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value) {
    AttributeOf(pugi::xml_node(node_), name).set_value(value.data(), value.size());
}

TXMLNodeHandle TXMLNode::Wrap(pugi::xml_node_struct* node) const {
    return std::make_shared<TXMLNode>(document_, node);
}

} // namespace hollowsweep
