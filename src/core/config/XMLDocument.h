#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pugi {
struct xml_node_struct;
} // namespace pugi

namespace hollowsweep {

// One parsed tree; node handles share it, so a handle stays valid after its
// document has been reloaded.
struct XMLTree;
class XMLNode;
class TextOutput;

// A shared handle to one node of a document; it keeps the document alive.
using XMLNodePtr = std::shared_ptr<XMLNode>;

// An XML document held in memory: loaded from a file or a text, changed through
// its nodes, and saved. Names of elements and attributes match exactly, case
// included.
class XMLDocument {
public:
    XMLDocument();

    // Parses a file; a file that cannot be read raises IOError, one that is
    // not well-formed raises ParseError. Either way the document is unchanged.
    void LoadFromFile(const std::string& path);
    // Replaces the content by text and parses it; errors name the source.
    void SetXML(std::string_view text, const std::string& source = "XML text");
    // Whether a parsed tree is there; activating parses the text last set.
    bool Active() const noexcept;
    void SetActive(bool active);

    // The root element, or none.
    XMLNodePtr DocumentElement() const;
    // The whole document as text, with its declaration when it has one.
    std::string Text() const;
    // Writes Text() to a file; a failed write raises IOError.
    void SaveToFile(const std::string& path) const;
    void Write(TextOutput& out) const;

private:
    void Parse(std::string text, const std::string& source);

    std::shared_ptr<XMLTree> tree_;
    std::string text_;
    bool active_ = false;
};

// One node of a document: an element, or a comment or text between elements.
class XMLNode {
public:
    XMLNode(std::shared_ptr<XMLTree> document, pugi::xml_node_struct* node) noexcept
        : document_(std::move(document))
        , node_(node) {}

    // The tag name of an element; other nodes have names such as "#comment".
    std::string Name() const;
    bool IsElement() const noexcept;
    // The node with everything below it as text, without a declaration.
    std::string Markup() const;

    std::size_t ChildCount() const noexcept;
    // For walking children in order; none past the last.
    XMLNodePtr FirstChild() const;
    XMLNodePtr NextSibling() const;
    bool HasChildNodes() const noexcept;
    // The child at a position among all children; out of range raises IndexError.
    XMLNodePtr Child(std::size_t position) const;
    // The first child element with exactly this tag, appended empty when there is none.
    XMLNodePtr ChildByTag(std::string_view tag);
    XMLNodePtr AppendChild(std::string_view tag);
    // Inserts a new element before the child at position; at the end when past it.
    XMLNodePtr InsertChild(std::size_t position, std::string_view tag);
    void RemoveChildren();
    // Removes a node that is a child of this one; any other node is left alone.
    void RemoveChild(const XMLNode& child);

    // Child elements of exactly this tag, in document order, skipping all else.
    std::size_t CountChildElements(std::string_view tag) const;
    // The one at a position among them; out of range raises IndexError.
    XMLNodePtr ChildElement(std::string_view tag, std::size_t position) const;
    // Its position among them, or none when it is not one of them.
    std::optional<std::size_t> ChildElementPosition(std::string_view tag,
                                                    const XMLNode& child) const;

    bool HasAttribute(std::string_view name) const;
    // The attribute's text; an absent attribute is created empty first.
    std::string Attribute(std::string_view name);
    void SetAttribute(std::string_view name, std::string_view value);

    // The same node seen through a binding class built on this one.
    template <class BindingType> std::shared_ptr<BindingType> As() const {
        return std::make_shared<BindingType>(document_, node_);
    }

private:
    XMLNodePtr Wrap(pugi::xml_node_struct* node) const;

    std::shared_ptr<XMLTree> document_;
    pugi::xml_node_struct* node_;
};

} // namespace hollowsweep
