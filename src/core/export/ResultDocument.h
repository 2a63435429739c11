#pragma once

#include "core/config/XMLDocument.h"
#include "core/results/ResultList.h"

#include <string>
#include <string_view>

namespace hollowsweep {

// The result document mirrors the list: a root "fileinfo" with one "file"
// element per entry, each carrying the entry's non-empty fields as attributes
// named after the catalogue without spaces, in catalogue order.

// Replaces the whole document by the empty skeleton.
void ResetXMLDoc(XMLDocument& document);
// The root element, parsing the document's text first when it is inactive.
XMLNodePtr GetRootNode(XMLDocument& document);
// Replaces the root's children by one element per entry.
void BuildXMLDoc(XMLDocument& document, const ResultList& list);

// The attribute that carries a field or a column: its name without spaces.
std::string AttributeNameFor(std::string_view name);
// The same for a catalogue field, made once.
std::string_view AttributeNameOf(FieldIndex field);

// Text that XML can carry: bytes that are not valid UTF-8, and characters XML
// does not allow even escaped, become U+FFFD.
std::string ToWellFormedText(std::string_view text);

} // namespace hollowsweep
