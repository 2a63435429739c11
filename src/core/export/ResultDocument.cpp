#include "core/export/ResultDocument.h"

#include "core/platform/UTF8.h"
#include "core/product/Product.h"
#include "core/results/FieldCatalog.h"

#include <algorithm>
#include <array>

namespace hollowsweep {

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

std::array<std::string, FieldCount> MakeAttributeNames() {
    std::array<std::string, FieldCount> names;
    for (std::size_t field = 0; field < FieldCount; ++field) {
        names[field] = AttributeNameFor(FieldNames[field]);
    }
    return names;
}

bool IsAllowedControl(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

bool IsPlain(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte < 0x80) || IsAllowedControl(byte);
    });
}

// The length of the valid UTF-8 sequence of an XML character at the start of
// text, or 0 when there is none.
std::size_t ValidSequenceLength(std::string_view text) {
    const UTF8Character character = DecodeUTF8(text);
    const char32_t code = character.Code;
    const bool allowed = code >= 0x20 ? code != 0xFFFE && code != 0xFFFF
                                      : IsAllowedControl(static_cast<unsigned char>(code));
    return character.Length > 0 && allowed ? character.Length : 0;
}

} // namespace

std::string AttributeNameFor(std::string_view name) {
    std::string attribute(name);
    attribute.erase(std::remove(attribute.begin(), attribute.end(), ' '), attribute.end());
    return attribute;
}

std::string_view AttributeNameOf(FieldIndex field) {
    static const std::array<std::string, FieldCount> names = MakeAttributeNames();
    return names[field];
}

std::string ToWellFormedText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = ValidSequenceLength(text);
        if (length == 0) {
            result += Replacement;
            text.remove_prefix(1);
        } else {
            result += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return result;
}

void ResetXMLDoc(XMLDocument& document) {
    document.SetXML("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?> "
                    "<fileinfo generated=\"" +
                    std::string(MakerWebSite) + "\"></fileinfo>");
}

XMLNodePtr GetRootNode(XMLDocument& document) {
    if (!document.Active()) {
        document.SetActive(true);
    }
    return document.DocumentElement();
}

void BuildXMLDoc(XMLDocument& document, const ResultList& list) {
    const XMLNodePtr root = GetRootNode(document);
    root->RemoveChildren();
    for (const auto& entry : list) {
        const XMLNodePtr file = root->AppendChild("file");
        for (FieldIndex field = 0; field < FieldCount; ++field) {
            const std::string_view value = entry.Record.Field(field);
            if (!value.empty()) {
                file->SetAttribute(AttributeNameOf(field),
                                   IsPlain(value) ? value : ToWellFormedText(value));
            }
        }
    }
}

} // namespace hollowsweep
