#include "core/config/XMLDocument.h"

#include "core/errors/Errors.h"
#include "core/platform/TextOutput.h"
#include "core/platform/WholeFile.h"

#include <pugixml.hpp>

namespace hollowsweep {

struct XMLTree {
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
class OutputWriter final : public pugi::xml_writer {
public:
    explicit OutputWriter(TextOutput& out)
        : out_(out) {}
    void write(const void* data, std::size_t size) override {
        out_.Append(std::string_view(static_cast<const char*>(data), size));
    }

private:
    TextOutput& out_;
};

std::string Print(const pugi::xml_node& node) {
    TextOutput out;
    OutputWriter writer(out);
    node.print(writer, "", WriteOptions | pugi::format_no_declaration);
    return std::move(out.Text());
}

} // namespace

XMLDocument::XMLDocument()
    : tree_(std::make_shared<XMLTree>()) {}

// Parses into a fresh tree, so a failure leaves the document as it was.
void XMLDocument::Parse(std::string text, const std::string& source) {
    auto tree = std::make_shared<XMLTree>();
    const pugi::xml_parse_result result =
        tree->Document.load_buffer(text.data(), text.size(), ParseOptions);
    if (!result) {
        throw ParseError(source + ": " + result.description() + " at offset " +
                             std::to_string(result.offset),
                         result.offset);
    }
    if (!HasOneRoot(tree->Document)) {
        throw ParseError(source + ": a document needs exactly one root element", 0);
    }
    tree_ = std::move(tree);
    text_ = std::move(text);
    active_ = true;
}

void XMLDocument::LoadFromFile(const std::string& path) {
    Parse(ReadWholeFile(path), path);
}

void XMLDocument::SetXML(std::string_view text, const std::string& source) {
    Parse(std::string(text), source);
}

bool XMLDocument::Active() const noexcept {
    return active_;
}

void XMLDocument::SetActive(bool active) {
    if (active && !active_) {
        Parse(text_, "XML text");
    } else if (!active) {
        tree_ = std::make_shared<XMLTree>();
        active_ = false;
    }
}

XMLNodePtr XMLDocument::DocumentElement() const {
    const pugi::xml_node root = tree_->Document.document_element();
    return root ? std::make_shared<XMLNode>(tree_, root.internal_object()) : nullptr;
}

void XMLDocument::Write(TextOutput& out) const {
    OutputWriter writer(out);
    tree_->Document.save(writer, "", WriteOptions | pugi::format_no_declaration);
}

std::string XMLDocument::Text() const {
    TextOutput out;
    Write(out);
    return std::move(out.Text());
}

void XMLDocument::SaveToFile(const std::string& path) const {
    TextOutput file(path);
    Write(file);
    file.Close();
}

std::string XMLNode::Name() const {
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

bool XMLNode::IsElement() const noexcept {
    return pugi::xml_node(node_).type() == pugi::node_element;
}

std::string XMLNode::Markup() const {
    return Print(pugi::xml_node(node_));
}

std::size_t XMLNode::ChildCount() const noexcept {
    std::size_t count = 0;
    for (pugi::xml_node child = pugi::xml_node(node_).first_child(); child;
         child = child.next_sibling()) {
        ++count;
    }
    return count;
}

bool XMLNode::HasChildNodes() const noexcept {
    return static_cast<bool>(pugi::xml_node(node_).first_child());
}

XMLNodePtr XMLNode::FirstChild() const {
    const pugi::xml_node child = pugi::xml_node(node_).first_child();
    return child ? Wrap(child.internal_object()) : nullptr;
}

XMLNodePtr XMLNode::NextSibling() const {
    const pugi::xml_node sibling = pugi::xml_node(node_).next_sibling();
    return sibling ? Wrap(sibling.internal_object()) : nullptr;
}

XMLNodePtr XMLNode::Child(std::size_t position) const {
    std::size_t index = 0;
    for (pugi::xml_node child = pugi::xml_node(node_).first_child(); child;
         child = child.next_sibling(), ++index) {
        if (index == position) {
            return Wrap(child.internal_object());
        }
    }
    throw IndexError(static_cast<long long>(position), index);
}

XMLNodePtr XMLNode::ChildByTag(std::string_view tag) {
    const std::string name(tag);
    pugi::xml_node node(node_);
    pugi::xml_node child = node.child(name.c_str());
    return Wrap((child ? child : node.append_child(name.c_str())).internal_object());
}

XMLNodePtr XMLNode::AppendChild(std::string_view tag) {
    return Wrap(pugi::xml_node(node_).append_child(std::string(tag).c_str()).internal_object());
}

XMLNodePtr XMLNode::InsertChild(std::size_t position, std::string_view tag) {
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

void XMLNode::RemoveChildren() {
    pugi::xml_node(node_).remove_children();
}

void XMLNode::RemoveChild(const XMLNode& child) {
    pugi::xml_node(node_).remove_child(pugi::xml_node(child.node_));
}

namespace {

bool IsElementNamed(const pugi::xml_node& node, const std::string& tag) {
    return node.type() == pugi::node_element && tag == node.name();
}

} // namespace

std::size_t XMLNode::CountChildElements(std::string_view tag) const {
    const std::string name(tag);
    std::size_t count = 0;
    for (const pugi::xml_node child : pugi::xml_node(node_).children()) {
        count += IsElementNamed(child, name) ? 1 : 0;
    }
    return count;
}

XMLNodePtr XMLNode::ChildElement(std::string_view tag, std::size_t position) const {
    const std::string name(tag);
    std::size_t index = 0;
    for (const pugi::xml_node child : pugi::xml_node(node_).children()) {
        if (IsElementNamed(child, name) && index++ == position) {
            return Wrap(child.internal_object());
        }
    }
    throw IndexError(static_cast<long long>(position), index);
}

std::optional<std::size_t> XMLNode::ChildElementPosition(std::string_view tag,
                                                         const XMLNode& child) const {
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

bool XMLNode::HasAttribute(std::string_view name) const {
    return static_cast<bool>(pugi::xml_node(node_).attribute(std::string(name).c_str()));
}

std::string XMLNode::Attribute(std::string_view name) {
    return AttributeOf(pugi::xml_node(node_), name).value();
}

void XMLNode::SetAttribute(std::string_view name, std::string_view value) {
    AttributeOf(pugi::xml_node(node_), name).set_value(value.data(), value.size());
}

XMLNodePtr XMLNode::Wrap(pugi::xml_node_struct* node) const {
    return std::make_shared<XMLNode>(document_, node);
}

} // namespace hollowsweep
