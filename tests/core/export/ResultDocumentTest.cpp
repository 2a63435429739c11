#include "core/export/ResultDocument.h"

#include "ResultLists.h"
#include "TestDir.h"
#include "core/platform/WholeFile.h"
#include "core/product/Product.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace hollowsweep;
using hollowsweep::test::ListOf;
using hollowsweep::test::TestDir;

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

std::string Replacements(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += Replacement;
    }
    return text;
}

std::vector<std::pair<std::string, std::string>> AttributesOf(const pugi::xml_node& node) {
    std::vector<std::pair<std::string, std::string>> attributes;
    for (const auto& attribute : node.attributes()) {
        attributes.emplace_back(attribute.name(), attribute.value());
    }
    return attributes;
}

} // namespace

TEST(ResultDocument, SavedDocumentHoldsOneElementPerEntryWithItsNonEmptyFields) {
    ResultList list = ListOf({"/d/caf\xC3\xA9", "/d/a&b<\"c>", "/d/bad\xFF\x01name"});
    list.At(1).Record.SetField(SizeRange, "big");
    list.At(1).Record.SetField(FileSize, "12");
    list.Append(ResultRecord());

    TestDir dir;
    XMLDocument document;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list);
    document.SaveToFile(dir.Path("out.xml"));

    const std::string saved = ReadWholeFile(dir.Path("out.xml"));
    EXPECT_TRUE(saved.starts_with(
        "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?><fileinfo generated="))
        << saved;
    EXPECT_NE(saved.find("FileName=\"a&amp;b&lt;&quot;c>\""), std::string::npos) << saved;

    pugi::xml_document parsed;
    ASSERT_TRUE(parsed.load_buffer(saved.data(), saved.size()));
    const pugi::xml_node root = parsed.document_element();
    EXPECT_STREQ(root.name(), "fileinfo");
    EXPECT_EQ(AttributesOf(root), (std::vector<std::pair<std::string, std::string>>{
                                      {"generated", std::string(MakerWebSite)}}));
    const std::vector<std::vector<std::pair<std::string, std::string>>> expected = {
        {{"FileName", "caf\xC3\xA9"}, {"FullPath", "/d/caf\xC3\xA9"}},
        {{"FileName", "a&b<\"c>"},
         {"FullPath", "/d/a&b<\"c>"},
         {"FileSize", "12"},
         {"SizeRange", "big"}},
        {{"FileName", "bad" + Replacements(2) + "name"},
         {"FullPath", "/d/bad" + Replacements(2) + "name"}},
        {},
    };
    std::size_t index = 0;
    for (const auto& file : root.children()) {
        EXPECT_STREQ(file.name(), "file");
        EXPECT_FALSE(file.first_child());
        ASSERT_LT(index, expected.size());
        EXPECT_EQ(AttributesOf(file), expected[index++]);
    }
    EXPECT_EQ(index, expected.size());
}

TEST(ResultDocument, BuildingAgainGivesTheSameDocument) {
    const ResultList list = ListOf({"/d/a", "/d/b", "/d/c"});
    XMLDocument document;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list);
    const std::string first = document.Text();
    BuildXMLDoc(document, list);
    EXPECT_EQ(document.Text(), first);
    EXPECT_EQ(GetRootNode(document)->ChildCount(), 3U);
}

TEST(ResultDocument, TextThatXMLCannotCarryBecomesReplacementCharacters) {
    const std::pair<std::string_view, std::string> cases[] = {
        {"plain \t\r\n", "plain \t\r\n"},
        {"caf\xC3\xA9 \xF0\x9F\x93\x81", "caf\xC3\xA9 \xF0\x9F\x93\x81"},
        {"\x01x\x1F", Replacements(1) + "x" + Replacements(1)},
        {"\xFF", Replacements(1)},
        {"a\xC3", "a" + Replacements(1)},
        {"\xC0\xAF", Replacements(2)},
        {"\xE0\x80\x80", Replacements(3)},
        {"\xED\xA0\x80", Replacements(3)},
        {"\xEF\xBF\xBE", Replacements(3)},
        {"\xF4\x90\x80\x80", Replacements(4)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ToWellFormedText(text), expected);
    }
}
