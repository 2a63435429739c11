#include "core/config/XMLDocument.h"

#include "TestDir.h"
#include "core/errors/Errors.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

XMLDocument Parsed(std::string_view text) {
    XMLDocument document;
    document.SetXML(text);
    return document;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(XMLDocument, AttributesAreCreatedOnAccessAndMatchedExactly) {
    auto document = Parsed(R"(<config><node Name="Full Path" Width="320"/></config>)");
    auto node = document.DocumentElement()->Child(0);
    EXPECT_EQ(node->Name(), "node");
    EXPECT_EQ(node->Attribute("Name"), "Full Path");
    EXPECT_FALSE(node->HasAttribute("name"));
    EXPECT_FALSE(node->HasAttribute("Visible"));
    EXPECT_EQ(node->Attribute("Visible"), "");
    EXPECT_TRUE(node->HasAttribute("Visible"));
    node->SetAttribute("Width", "172");
    node->SetAttribute("Align", "a<b & \"c\"");
    EXPECT_EQ(
        node->Markup(),
        R"(<node Name="Full Path" Width="172" Visible="" Align="a&lt;b &amp; &quot;c&quot;"/>)");
}

TEST(XMLDocument, ChildrenCountEveryNodeAndChildByTagAppendsWhenMissing) {
    auto document = Parsed("<config><!-- note --><nodes><node/><other/></nodes></config>");
    auto root = document.DocumentElement();
    EXPECT_EQ(root->ChildCount(), 2U);
    EXPECT_EQ(root->Child(0)->Name(), "#comment");
    EXPECT_FALSE(root->Child(0)->IsElement());
    EXPECT_THROW(root->Child(2), IndexError);

    auto nodes = root->ChildByTag("nodes");
    EXPECT_EQ(nodes->ChildCount(), 2U);
    auto frame = root->ChildByTag("frame");
    EXPECT_FALSE(frame->HasChildNodes());
    EXPECT_EQ(root->ChildCount(), 3U);
    EXPECT_EQ(root->Child(2)->Name(), "frame");
    EXPECT_EQ(root->ChildByTag("Nodes")->Markup(), "<Nodes/>");
}

TEST(XMLDocument, ChildrenAreInsertedAppendedAndRemoved) {
    auto document = Parsed("<r><a/><c/></r>");
    auto root = document.DocumentElement();
    root->InsertChild(1, "b");
    root->InsertChild(9, "d");
    root->AppendChild("e");
    EXPECT_EQ(root->Markup(), "<r><a/><b/><c/><d/><e/></r>");
    root->RemoveChildren();
    EXPECT_EQ(root->Markup(), "<r/>");
}

TEST(XMLDocument, HandlesOutliveTheirDocumentAndItsReloads) {
    XMLNodePtr kept;
    {
        auto document = Parsed("<config><node Name=\"x\"/></config>");
        kept = document.DocumentElement()->Child(0);
        document.SetXML("<other/>");
        EXPECT_EQ(document.DocumentElement()->Name(), "other");
    }
    EXPECT_EQ(kept->Attribute("Name"), "x");
}

TEST(XMLDocument, MalformedTextRaisesAParseErrorAndKeepsTheDocument) {
    auto document = Parsed("<config/>");
    for (const char* text : {"", "<config>", "<a></b>", "not xml", "<config/><second/>"}) {
        EXPECT_THROW(document.SetXML(text), ParseError) << text;
        EXPECT_EQ(document.DocumentElement()->Name(), "config");
    }
}

TEST(XMLDocument, ActivatingParsesTheTextLastSet) {
    auto document = Parsed("<fileinfo/>");
    document.SetActive(false);
    EXPECT_FALSE(document.Active());
    EXPECT_EQ(document.DocumentElement(), nullptr);
    document.SetActive(true);
    EXPECT_TRUE(document.Active());
    EXPECT_EQ(document.DocumentElement()->Name(), "fileinfo");
}

TEST(XMLDocument, FilesAreLoadedAndSavedWithTheirDeclaration) {
    TestDir dir;
    dir.MakeFile("in.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<fileinfo>"
                           "<file Name=\"caf\xc3\xa9\"/></fileinfo>");
    XMLDocument document;
    document.LoadFromFile(dir.Path("in.xml"));
    document.DocumentElement()->Child(0)->SetAttribute("Size", "<1>");
    document.SaveToFile(dir.Path("out.xml"));
    EXPECT_EQ(ReadFile(dir.Path("out.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><fileinfo>"
              "<file Name=\"caf\xc3\xa9\" Size=\"&lt;1>\"/></fileinfo>");
}

TEST(XMLDocument, FileErrorsNameTheFileAndTheSystemsReason) {
    TestDir dir;
    XMLDocument document;
    try {
        document.LoadFromFile(dir.Path("missing.xml"));
        FAIL();
    } catch (const IOError& error) {
        EXPECT_EQ(error.Code(), ENOENT);
        EXPECT_EQ(error.Path(), dir.Path("missing.xml"));
    }
    dir.MakeFile("broken.xml", "<config>");
    EXPECT_THROW(document.LoadFromFile(dir.Path("broken.xml")), ParseError);
    document.SetXML("<config/>");
    EXPECT_THROW(document.SaveToFile(dir.Path("no/such/folder/out.xml")), IOError);
}
