#include "config/XMLNodeCollection.h"

#include "errors/Errors.h"

namespace hollowsweep {

int TXMLNodeCollection::Count() const {
    return static_cast<int>(CountChildElements(itemTag_));
}

TXMLNodeHandle TXMLNodeCollection::Nodes(int position) const {
    if (position < 0) {
        throw TIndexError(position, CountChildElements(itemTag_));
    }
    return ChildElement(itemTag_, static_cast<std::size_t>(position));
}

void TXMLNodeCollection::Clear() {
    while (Count() > 0) {
        Delete(0);
    }
}

void TXMLNodeCollection::Delete(int position) {
    RemoveChild(*Nodes(position));
}

int TXMLNodeCollection::Remove(const TXMLNode& item) {
    const auto position = ChildElementPosition(itemTag_, item);
    if (!position) {
        return -1;
    }
    RemoveChild(item);
    return static_cast<int>(*position);
}

TXMLNodeHandle TXMLNodeCollection::AppendItem() {
    return AppendChild(itemTag_);
}

TXMLNodeHandle TXMLNodeCollection::InsertItem(int position) {
    return position < 0 ? AppendChild(itemTag_)
                        : InsertChild(static_cast<std::size_t>(position), itemTag_);
}

} // namespace hollowsweep
