#include "core/export/JSONExport.h"

#include "ResultLists.h"
#include "core/export/ResultDocument.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <rapidjson/document.h>

using namespace hollowsweep;
using hollowsweep::test::ListOf;

namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

std::string JSONOf(const ResultList& list) {
    TextOutput out;
    WriteJSON(out, list);
    return std::move(out.Text());
}

} // namespace

TEST(JSONExport, EachEntryCarriesWhatItsXMLElementCarries) {
    ResultList list = ListOf({"/d/caf\xC3\xA9", "/d/a&b<\"c>\\"});
    ResultRecord& full = list.Append(ResultRecord()).Record;
    for (FieldIndex field = 0; field < FieldCount; ++field) {
        full.SetField(field, "value " + std::to_string(field));
    }
    list.At(1).Record.SetField(SizeRange, "big");
    list.Append(ResultRecord());

    XMLDocument document;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list);
    pugi::xml_document xml;
    const std::string xmlText = document.Text();
    ASSERT_TRUE(xml.load_buffer(xmlText.data(), xmlText.size()));

    const std::string json = JSONOf(list);
    ASSERT_TRUE(json.ends_with("]\n")) << json;
    rapidjson::Document parsed;
    parsed.Parse<rapidjson::kParseValidateEncodingFlag>(json.data(), json.size());
    ASSERT_FALSE(parsed.HasParseError()) << json;
    ASSERT_TRUE(parsed.IsArray());

    std::size_t index = 0;
    for (const auto& file : xml.document_element().children()) {
        Members attributes;
        for (const auto& attribute : file.attributes()) {
            attributes.emplace_back(attribute.name(), attribute.value());
        }
        ASSERT_LT(index, parsed.Size());
        Members members;
        for (const auto& member : parsed[static_cast<rapidjson::SizeType>(index)].GetObject()) {
            members.emplace_back(member.name.GetString(), member.value.GetString());
        }
        EXPECT_EQ(members, attributes) << index;
        ++index;
    }
    EXPECT_EQ(index, 4U);
    EXPECT_EQ(parsed.Size(), index);
}

TEST(JSONExport, IsCompactWithControlCharactersEscaped) {
    EXPECT_EQ(JSONOf(ResultList()), "[]\n");
    EXPECT_EQ(JSONOf(ListOf({"/d/t\"q\\b\tn\n\x01\x7F"})),
              "[{\"FileName\":\"t\\\"q\\\\b\\tn\\n\\u0001\x7F\","
              "\"FullPath\":\"/d/t\\\"q\\\\b\\tn\\n\\u0001\x7F\"}]\n");
}

TEST(JSONExport, BytesThatAreNotUTF8BecomeReplacementCharacters) {
    const auto replaced = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += Replacement;
        }
        return text;
    };
    const std::pair<std::string_view, std::string> cases[] = {
        {"plain \x01\t\x1F\x7F", "plain \x01\t\x1F\x7F"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\x81", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\x81"},
        {"\xEF\xBF\xBE\xF4\x8F\xBF\xBF", "\xEF\xBF\xBE\xF4\x8F\xBF\xBF"},
        {"\xFF", replaced(1)},
        {"a\xC3", "a" + replaced(1)},
        {"a\xE2\x82z", "a" + replaced(2) + "z"},
        {"\xC0\xAF", replaced(2)},
        {"\xE0\x80\x80", replaced(3)},
        {"\xED\xA0\x80", replaced(3)},
        {"\xF4\x90\x80\x80", replaced(4)},
        {"\x80x\xC3\xA9", replaced(1) + "x\xC3\xA9"},
    };
    std::string scratch;
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ToValidUTF8(text, scratch), expected);
    }
}
