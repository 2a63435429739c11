#include "core/config/ConfigBinding.h"

#include "TestDir.h"
#include "core/config/XMLValues.h"
#include "core/errors/Errors.h"

#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

// A binding over a document written to a file, as the program loads it.
class QuillfenConfig : public ::testing::Test {
protected:
    ConfigRootPtr Load(std::string_view text) {
        dir_.MakeFile("config.xml", text);
        return LoadConfig(dir_.Path("config.xml"));
    }

    ColumnSettingPtr LoadNode(std::string_view attributes) {
        return Load("<config><nodes><node " + std::string(attributes) + "/></nodes></config>")
            ->GetNodes()
            ->Item(0);
    }

    TestDir dir_;
};

} // namespace

TEST_F(QuillfenConfig, BooleanReadsAcceptWordsInAnyCaseAndIntegers) {
    const std::pair<const char*, bool> cases[] = {
        {"True", true}, {"true", true},   {"TRUE", true},   {"1", true},
        {"-3", true},   {"False", false}, {"fAlSe", false}, {"0", false},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LoadNode("Visible=\"" + std::string(text) + "\"")->GetVisible(), expected)
            << text;
    }
}

TEST_F(QuillfenConfig, ValuesThatDoNotConvertFailWithAConversionError) {
    for (const char* text : {"", "yes", "1.0", " 1", "truex"}) {
        EXPECT_THROW(TextToBoolean(text), ConversionError) << text;
    }
    for (const char* text : {"", "1.0", "12a", " 1", "2147483648", "-", "+-1", "0x10"}) {
        EXPECT_THROW(TextToInteger(text), ConversionError) << text;
    }
    EXPECT_EQ(TextToInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInteger("+7"), 7);
    EXPECT_EQ(TextToInteger("0172"), 172);
}

TEST_F(QuillfenConfig, AMissingTextAttributeReadsEmptyAndIsAddedToTheTree) {
    auto node = LoadNode("Width=\"5\"");
    EXPECT_EQ(node->GetName(), "");
    EXPECT_EQ(node->Markup(), "<node Width=\"5\" Name=\"\"/>");
}

TEST_F(QuillfenConfig, AMissingOrEmptyTypedAttributeFailsAndStaysEmptyInTheTree) {
    auto node = LoadNode("Name=\"Full Path\" Index=\"\"");
    try {
        node->GetVisible();
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "attribute \"Visible\" of <node>: cannot convert an empty "
                                   "value to Boolean");
    }
    EXPECT_THROW(node->GetWidth(), ConversionError);
    EXPECT_THROW(node->GetIndex(), ConversionError);
    EXPECT_THROW(node->GetReadOnly(), ConversionError);
    EXPECT_EQ(node->Markup(),
              "<node Name=\"Full Path\" Index=\"\" Visible=\"\" Width=\"\" ReadOnly=\"\"/>");
}

TEST_F(QuillfenConfig, WritesUseDecimalAndTrueFalse) {
    auto node = LoadNode("Visible=\"1\"");
    node->SetVisible(false);
    node->SetWidth(172);
    node->SetIndex(-5);
    node->SetReadOnly(true);
    node->SetName("");
    node->SetAlign("a&b");
    EXPECT_EQ(node->Markup(), "<node Visible=\"False\" Width=\"172\" Index=\"-5\" "
                              "ReadOnly=\"True\" Name=\"\" Align=\"a&amp;b\"/>");
    EXPECT_FALSE(node->GetVisible());
    EXPECT_EQ(node->GetIndex(), -5);
}

TEST_F(QuillfenConfig, AMissingSectionIsAppendedEmptyOnRead) {
    auto root = Load("<config versionNo=\"2\"><frame/></config>");
    EXPECT_EQ(root->GetNodes()->Count(), 0);
    auto frame = root->GetFrame()->GetPlHint();
    frame->SetHeight(262);
    EXPECT_EQ(root->Markup(),
              "<config versionNo=\"2\"><frame><plHint height=\"262\"/></frame><nodes/></config>");
}

TEST_F(QuillfenConfig, CollectionsCountOnlyTheirItemElements) {
    auto nodes = Load("<config><nodes><node Name=\"a\"/><!-- c --><other/>text"
                      "<node Name=\"b\"/></nodes></config>")
                     ->GetNodes();
    EXPECT_EQ(nodes->Count(), 2);
    EXPECT_EQ(nodes->Item(1)->GetName(), "b");
    for (int position : {-1, 2}) {
        try {
            nodes->Item(position);
            FAIL() << position;
        } catch (const IndexError& error) {
            EXPECT_EQ(error.Index(), position);
            EXPECT_NE(std::string(error.what()).find("(" + std::to_string(position) + ")"),
                      std::string::npos);
        }
    }
}

TEST_F(QuillfenConfig, CollectionsAddInsertAndRemoveItems) {
    auto root = Load("<config><agerange><!-- c --><item label=\"a\"/></agerange></config>");
    auto ages = root->GetAgerange();
    ages->Add()->SetLabel("z");
    ages->Insert(0)->SetValue(1);
    ages->Insert(-1)->SetLabel("end");
    EXPECT_EQ(ages->Markup(), "<agerange><item value=\"1\"/><!-- c --><item label=\"a\"/>"
                              "<item label=\"z\"/><item label=\"end\"/></agerange>");
    EXPECT_EQ(ages->Count(), 4);
    ages->Delete(1);
    EXPECT_EQ(ages->Remove(*ages->Nodes(2)), 2);
    EXPECT_EQ(ages->Remove(*root), -1);
    EXPECT_EQ(ages->Markup(),
              "<agerange><item value=\"1\"/><!-- c --><item label=\"z\"/></agerange>");
    ages->Clear();
    EXPECT_EQ(ages->Markup(), "<agerange><!-- c --></agerange>");
}

TEST_F(QuillfenConfig, TheFirstOfTwoSingleSectionsCounts) {
    auto root = Load("<config><frame width=\"1\"/><frame width=\"2\"/></config>");
    EXPECT_EQ(root->GetFrame()->GetWidth(), 1);
    EXPECT_EQ(root->GetSizerange()->Count(), 0);
}

TEST_F(QuillfenConfig, ARootOtherThanConfigIsRefusedNamingTheFile) {
    try {
        Load("<Config/>");
        FAIL();
    } catch (const ParseError& error) {
        EXPECT_NE(std::string(error.what()).find(dir_.Path("config.xml")), std::string::npos);
    }
}
