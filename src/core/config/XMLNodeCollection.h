#pragma once

#include "core/config/XMLDocument.h"

#include <memory>
#include <string>
#include <string_view>

namespace hollowsweep {

// An element that holds a list of like items: its child elements of the item
// tag, in document order. Anything else inside it (other elements, comments,
// text) is kept but is not an item.
class XMLNodeCollection : public XMLNode {
public:
    XMLNodeCollection(std::shared_ptr<XMLTree> document, pugi::xml_node_struct* node,
                      std::string_view itemTag)
        : XMLNode(std::move(document), node)
        , itemTag_(itemTag) {}

    int Count() const;
    // The tag of the items, for a caller that walks the children in one pass.
    const std::string& ItemTag() const noexcept { return itemTag_; }
    // The item at a position as a plain element; out of range raises IndexError.
    XMLNodePtr Nodes(int position) const;
    void Clear();
    void Delete(int position);
    // Removes an item and returns the position it had, or -1 when it is none.
    int Remove(const XMLNode& item);

protected:
    XMLNodePtr AppendItem();
    // A new item before the child at position among all children; -1 appends.
    XMLNodePtr InsertItem(int position);

private:
    std::string itemTag_;
};

// A collection whose items have their own binding class.
template <class ItemType> class XMLTypedCollection : public XMLNodeCollection {
public:
    using XMLNodeCollection::XMLNodeCollection;

    std::shared_ptr<ItemType> Item(int position) const {
        return Nodes(position)->template As<ItemType>();
    }
    std::shared_ptr<ItemType> Add() { return AppendItem()->template As<ItemType>(); }
    std::shared_ptr<ItemType> Insert(int position) {
        return InsertItem(position)->template As<ItemType>();
    }
};

} // namespace hollowsweep
