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
struct TXMLTree;
class TXMLNode;
class TTextOutput;

// A shared handle to one node of a document; it keeps the document alive.
using TXMLNodeHandle = std::shared_ptr<TXMLNode>;

// An XML document held in memory: loaded from a file or a text, changed through
// its nodes, and saved. Names of elements and attributes match exactly, case
// included.
class TXMLDocument {
public:
    TXMLDocument();

    // Parses a file; a file that cannot be read raises TIOError, one that is
    // not well-formed raises TParseError. Either way the document is unchanged.
    void LoadFromFile(const std::string& path);
    // Replaces the content by text and parses it; errors name the source.
    void SetXML(std::string_view text, const std::string& source = "XML text");
    // Whether a parsed tree is there; activating parses the text last set.
    bool Active() const noexcept;
    void SetActive(bool active);

    // The root element, or none.
    TXMLNodeHandle DocumentElement() const;
    // The whole document as text, with its declaration when it has one.
    std::string Text() const;
    // Writes Text() to a file; a failed write raises TIOError.
    void SaveToFile(const std::string& path) const;
    void Write(TTextOutput& out) const;

private:
    void Parse(std::string text, const std::string& source);

    std::shared_ptr<TXMLTree> tree_;
    std::string text_;
    bool active_ = false;
};

// One node of a document: an element, or a comment or text between elements.
class TXMLNode {
public:
    TXMLNode(std::shared_ptr<TXMLTree> document, pugi::xml_node_struct* node) noexcept
        : document_(std::move(document))
        , node_(node) {}

    // The tag name of an element; other nodes have names such as "#comment".
    std::string Name() const;
    bool IsElement() const noexcept;
    // The node with everything below it as text, without a declaration.
    std::string Markup() const;

    std::size_t ChildCount() const noexcept;
    // For walking children in order; none past the last.
    TXMLNodeHandle FirstChild() const;
    TXMLNodeHandle NextSibling() const;
    bool HasChildNodes() const noexcept;
    // The child at a position among all children; out of range raises TIndexError.
    TXMLNodeHandle Child(std::size_t position) const;
    // The first child element with exactly this tag, appended empty when there is none.
    TXMLNodeHandle ChildByTag(std::string_view tag);
    TXMLNodeHandle AppendChild(std::string_view tag);
    // Inserts a new element before the child at position; at the end when past it.
    TXMLNodeHandle InsertChild(std::size_t position, std::string_view tag);
    void RemoveChildren();
    // Removes a node that is a child of this one; any other node is left alone.
    void RemoveChild(const TXMLNode& child);

    // Child elements of exactly this tag, in document order, skipping all else.
    std::size_t CountChildElements(std::string_view tag) const;
    // The one at a position among them; out of range raises TIndexError.
    TXMLNodeHandle ChildElement(std::string_view tag, std::size_t position) const;
    // Its position among them, or none when it is not one of them.
    std::optional<std::size_t> ChildElementPosition(std::string_view tag,
                                                    const TXMLNode& child) const;

    bool HasAttribute(std::string_view name) const;
    // The attribute's text; an absent attribute is created empty first.
    std::string Attribute(std::string_view name);
    void SetAttribute(std::string_view name, std::string_view value);

    // The same node seen through a binding class built on this one.
    template <class TBinding> std::shared_ptr<TBinding> As() const {
        return std::make_shared<TBinding>(document_, node_);
    }

private:
    TXMLNodeHandle Wrap(pugi::xml_node_struct* node) const;

    std::shared_ptr<TXMLTree> document_;
    pugi::xml_node_struct* node_;
};

} // namespace hollowsweep
