#include "core/config/XMLNodeCollection.h"

#include "core/errors/Errors.h"

namespace hollowsweep {

int XMLNodeCollection::Count() const {
    return static_cast<int>(CountChildElements(itemTag_));
}

XMLNodePtr XMLNodeCollection::Nodes(int position) const {
    if (position < 0) {
        throw IndexError(position, CountChildElements(itemTag_));
    }
    return ChildElement(itemTag_, static_cast<std::size_t>(position));
}

void XMLNodeCollection::Clear() {
    while (Count() > 0) {
        Delete(0);
    }
}

void XMLNodeCollection::Delete(int position) {
    RemoveChild(*Nodes(position));
}

int XMLNodeCollection::Remove(const XMLNode& item) {
    const auto position = ChildElementPosition(itemTag_, item);
    if (!position) {
        return -1;
    }
    RemoveChild(item);
    return static_cast<int>(*position);
}

XMLNodePtr XMLNodeCollection::AppendItem() {
    return AppendChild(itemTag_);
}

XMLNodePtr XMLNodeCollection::InsertItem(int position) {
    return position < 0 ? AppendChild(itemTag_)
                        : InsertChild(static_cast<std::size_t>(position), itemTag_);
}

} // namespace hollowsweep
