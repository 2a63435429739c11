#include "TempTree.h"
#include "core/config/ConfigBinding.h"
#include "core/config/DefaultConfig.h"
#include "core/export/ExportColumns.h"
#include "core/export/ExportFormats.h"
#include "core/export/ResultDocument.h"
#include "core/platform/WholeFile.h"
#include "core/results/LoadEmptyFolders.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

// Every format writes its file through a temporary one and a rename, over
// an older file of the same name; what it holds is read back.
TEST(WindowsExport, EveryFormatReplacesItsFileWhole) {
    const TempTree tree;
    tree.MakeFolder(L"scanned\\Gr\u00FC\u00DFe\\leer");
    ResultList list;
    ASSERT_TRUE(LoadEmptyFolders(list, tree.Path(L"scanned")));
    const std::vector<std::string> columns =
        GetExportColumns(*ParseConfig(DefaultConfigText, "default configuration"));
    for (const ExportFormat& format : ExportFormats()) {
        const std::string target = tree.Path() + "\\export" + std::string(format.Extension);
        ReplaceWholeFile(target, "old");
        // Named in full: windows.h has an XMLDocument of its own.
        hollowsweep::XMLDocument document;
        if (format.ReadsResultDocument) {
            ResetXMLDoc(document);
            BuildXMLDoc(document, list);
        }
        format.Write(target, {list, columns, &document});
        const std::string written = ReadWholeFile(target);
        if (format.NeedsFile) {
            // A workbook is a zip archive.
            EXPECT_TRUE(written.starts_with("PK")) << format.Name;
        } else {
            EXPECT_NE(written.find("leer"), std::string::npos) << format.Name;
        }
        EXPECT_NE(written, "old") << format.Name;
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(tree.Path())) {
        left.push_back(entry.path().filename().string());
    }
    // Nothing temporary is left behind.
    EXPECT_EQ(left.size(), ExportFormats().size() + 1);
}

} // namespace
