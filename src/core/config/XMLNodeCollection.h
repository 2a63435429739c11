#pragma once

#include "config/XMLDocument.h"

#include <memory>
#include <string>
#include <string_view>

namespace hollowsweep {

// An element that holds a list of like items: its child elements of the item
// tag, in document order. Anything else inside it (other elements, comments,
// text) is kept but is not an item.
class TXMLNodeCollection : public TXMLNode {
public:
    TXMLNodeCollection(std::shared_ptr<TXMLTree> document, pugi::xml_node_struct* node,
                       std::string_view itemTag)
        : TXMLNode(std::move(document), node)
        , itemTag_(itemTag) {}

    int Count() const;
    // The item at a position as a plain element; out of range raises TIndexError.
    TXMLNodeHandle Nodes(int position) const;
    void Clear();
    void Delete(int position);
    // Removes an item and returns the position it had, or -1 when it is none.
    int Remove(const TXMLNode& item);

protected:
    TXMLNodeHandle AppendItem();
    // A new item before the child at position among all children; -1 appends.
    TXMLNodeHandle InsertItem(int position);

private:
    std::string itemTag_;
};

// A collection whose items have their own binding class.
template <class TItem> class TXMLTypedCollection : public TXMLNodeCollection {
public:
    using TXMLNodeCollection::TXMLNodeCollection;

    std::shared_ptr<TItem> Item(int position) const {
        return Nodes(position)->template As<TItem>();
    }
    std::shared_ptr<TItem> Add() { return AppendItem()->template As<TItem>(); }
    std::shared_ptr<TItem> Insert(int position) {
        return InsertItem(position)->template As<TItem>();
    }
};

} // namespace hollowsweep
