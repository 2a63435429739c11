#include "core/config/ScanRulesSetting.h"

#include "core/config/XMLValues.h"
#include "core/errors/Errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

namespace {

constexpr std::string_view RulesTag = "scanRules";
constexpr std::string_view ExcludeTag = "exclude";
constexpr std::string_view JunkTag = "junk";
constexpr std::string_view NameAttribute = "name";
constexpr std::string_view OneFileSystemAttribute = "oneFileSystem";
constexpr std::string_view OlderThanAttribute = "olderThan";
constexpr std::string_view ProtectAttribute = "protectFolders";

std::vector<std::string> ReadNames(const XMLNode& rules, std::string_view tag) {
    std::vector<std::string> names;
    const std::size_t count = rules.CountChildElements(tag);
    for (std::size_t position = 0; position < count; ++position) {
        const XMLNodePtr item = rules.ChildElement(tag, position);
        if (item->HasAttribute(NameAttribute) && !item->Attribute(NameAttribute).empty()) {
            names.push_back(item->Attribute(NameAttribute));
        }
    }
    return names;
}

void WriteNames(XMLNode& rules, std::string_view tag, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        rules.AppendChild(tag)->SetAttribute(NameAttribute, name);
    }
}

// Reads an attribute, naming it when its value does not read.
template <class Convert> auto ReadValue(XMLNode& rules, std::string_view name, Convert convert) {
    try {
        return convert(rules.Attribute(name));
    } catch (const ConversionError& error) {
        throw ConversionError("<" + std::string(RulesTag) + "> " + std::string(name) + ": " +
                              error.what());
    }
}

} // namespace

ScanRules ReadScanRules(ConfigRoot& root) {
    ScanRules rules;
    if (root.CountChildElements(RulesTag) == 0) {
        return rules;
    }
    const XMLNodePtr element = root.ChildElement(RulesTag, 0);
    rules.ExcludedFolders = ReadNames(*element, ExcludeTag);
    rules.JunkFiles = ReadNames(*element, JunkTag);
    if (element->HasAttribute(OneFileSystemAttribute)) {
        rules.OneFileSystem = ReadValue(*element, OneFileSystemAttribute, TextToBoolean);
    }
    if (element->HasAttribute(OlderThanAttribute)) {
        rules.MinimumAge = ReadValue(*element, OlderThanAttribute, ParseAge);
    }
    if (element->HasAttribute(ProtectAttribute)) {
        rules.ProtectFolders = ReadValue(*element, ProtectAttribute, TextToBoolean);
    }
    return rules;
}

void WriteScanRules(ConfigRoot& root, const ScanRules& rules) {
    while (root.CountChildElements(RulesTag) > 0) {
        root.RemoveChild(*root.ChildElement(RulesTag, 0));
    }
    if (!rules.Any() && rules.ProtectFolders) {
        return;
    }
    const XMLNodePtr element = root.AppendChild(RulesTag);
    if (!rules.ProtectFolders) {
        element->SetAttribute(ProtectAttribute, BooleanToText(false));
    }
    if (rules.OneFileSystem) {
        element->SetAttribute(OneFileSystemAttribute, BooleanToText(true));
    }
    if (rules.HasMinimumAge()) {
        element->SetAttribute(OlderThanAttribute, FormatAge(rules.MinimumAge));
    }
    WriteNames(*element, ExcludeTag, rules.ExcludedFolders);
    WriteNames(*element, JunkTag, rules.JunkFiles);
}

} // namespace hollowsweep
