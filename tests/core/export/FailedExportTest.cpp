// An export that fails never costs the user the file it was to replace, and
// leaves nothing half-written beside it.

#include "ResultLists.h"
#include "ScopedMount.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/errors/Errors.h"
#include "core/export/ExportFormats.h"
#include "core/export/ResultDocument.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

// Enough rows to fill a small file system many times over.
ResultList LongList() {
    ResultList list;
    for (int i = 0; i < 3000; ++i) {
        list.Append(
            ResultRecord::ForFolder("/data/a-folder-with-a-rather-long-name-" + std::to_string(i)));
    }
    return list;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What a piece of work wrote to this process's standard error.
std::string StandardErrorOf(const std::function<void()>& work) {
    TestDir dir;
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    std::FILE* capture = std::fopen(dir.Path("stderr").c_str(), "w");
    ::dup2(::fileno(capture), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::fclose(capture);
    return ReadWholeFile(dir.Path("stderr"));
}

// The XML result document of a list, as the XML and workbook exports take it.
XMLDocument ResultDocumentOf(const ResultList& list) {
    XMLDocument document;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list);
    return document;
}

const std::vector<std::string> Columns = {"Folder Name", "Full Path"};

// Writes list to path in the named format, as an export does once its target
// is chosen.
void Write(std::string_view name, const std::string& path, const ResultList& list) {
    const XMLDocument document = ResultDocumentOf(list);
    FindExportFormat(name)->Write(path, {list, Columns, &document});
}

struct Format {
    std::string name;
    std::function<void(const std::string& path, const ResultList& list)> write;
};

const std::vector<Format> Formats = [] {
    std::vector<Format> all;
    for (const ExportFormat& format : ExportFormats()) {
        all.push_back({std::string(format.Name),
                       [name = format.Name](const std::string& path, const ResultList& list) {
                           Write(name, path, list);
                       }});
    }
    return all;
}();

} // namespace

TEST(FailedExport, AFullDiskLeavesTheOldFileByteForByteAndNothingBeside) {
    TestDir dir;
    dir.MakeFolders("small");
    const test::ScopedMount tmpfs("none", dir.Path("small"), "tmpfs", 0);
    if (!tmpfs.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << tmpfs.Error();
    }
    ASSERT_EQ(::system(("mount -o remount,size=64k " + dir.Path("small")).c_str()), 0);
    const ResultList list = LongList();
    for (const auto& format : Formats) {
        SCOPED_TRACE(format.name);
        const std::string path = dir.Path("small/old." + std::string(format.name));
        test::WriteFile(path, "the old export\n");
        // The workbook library's own messages included, nothing but the error says it.
        const std::string printed = StandardErrorOf([&, &write = format.write] {
            try {
                write(path, list);
                ADD_FAILURE() << "the export did not fail";
            } catch (const IOError& error) {
                EXPECT_EQ(error.Code(), ENOSPC) << error.what();
                EXPECT_EQ(error.Path(), path);
            }
        });
        EXPECT_EQ(printed, "");
        EXPECT_EQ(ReadWholeFile(path), "the old export\n");
        EXPECT_EQ(FilesIn(dir.Path("small")).size(), 1U) << "a temporary file was left";

        // Through a link, the file it leads to survives the same way.
        const std::string link = dir.Path("link." + std::string(format.name));
        dir.MakeLink("link." + std::string(format.name), path);
        EXPECT_THROW(format.write(link, list), IOError);
        EXPECT_EQ(ReadWholeFile(path), "the old export\n");
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(FilesIn(dir.Path("small")).size(), 1U) << "a temporary file was left";
        std::filesystem::remove(path);
    }
}

TEST(FailedExport, ACompleteExportReplacesTheOldFileKeepingItsPermissions) {
    TestDir dir;
    const ResultList list = LongList();
    for (const auto& format : Formats) {
        SCOPED_TRACE(format.name);
        const std::string path = dir.Path("old." + std::string(format.name));
        test::WriteFile(path, "the old export\n");
        ::chmod(path.c_str(), 0640);
        format.write(path, list);
        EXPECT_GT(ReadWholeFile(path).size(), 10'000U);
        EXPECT_EQ(std::filesystem::status(path).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                      std::filesystem::perms::group_read);
    }
    EXPECT_EQ(FilesIn(dir.Root()).size(), Formats.size());
}

// A name too long for any cell stops the workbook after its rows began.
TEST(FailedExport, AWorkbookStoppedHalfWayLeavesTheOldFile) {
    TestDir dir;
    const std::string path = dir.Path("old.xlsx");
    test::WriteFile(path, "the old export\n");
    ResultList list;
    list.Append(ResultRecord::ForFolder("/d/first"));
    list.Append(ResultRecord::ForFolder("/d/" + std::string(33'000, 'n')));
    EXPECT_THROW(Write("xlsx", path, list), ConversionError);
    EXPECT_EQ(ReadWholeFile(path), "the old export\n");
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"old.xlsx"}));
}

TEST(FailedExport, TheWorkbookLibraryKeepsQuietAndTheMessageNamesTheCause) {
    TestDir dir;
    const ResultList list = LongList();
    std::string message;
    const std::string printed = StandardErrorOf([&] {
        try {
            Write("xlsx", dir.Path("missing/out.xlsx"), list);
        } catch (const IOError& error) {
            message = error.what();
        }
    });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(message, dir.Path("missing/out.xlsx") + ": cannot create: No such file or directory");
}

// A target that is not a file is written straight away, as there is nothing
// to rename over it.
TEST(FailedExport, ATargetThatIsNotAFileIsWrittenDirectly) {
    TestDir dir;
    const std::string fifo = dir.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadWholeFile(fifo); });
    Write("txt", fifo, test::ListOf({"/d/a"}));
    reader.join();
    EXPECT_EQ(received, "Folder Name          Full Path          \r\na          /d/a\r\n");
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"pipe"}));
}

// A link stays a link: the file it leads to takes the new content.
TEST(FailedExport, ALinkIsWrittenThroughAndStaysALink) {
    TestDir dir;
    dir.MakeFile("real.txt", "old");
    dir.MakeLink("link.txt", dir.Path("real.txt"));
    Write("txt", dir.Path("link.txt"), test::ListOf({"/d/a"}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.txt")));
    EXPECT_EQ(ReadWholeFile(dir.Path("real.txt")),
              "Folder Name          Full Path          \r\na          /d/a\r\n");
}

// Another user may plant a link in /tmp that names a file of the caller's: it
// is refused, whatever the machine's own rule for such links says, while a
// link of the caller's own is written through.
TEST(FailedExport, ALinkAnotherUserOwnsInASharedFolderIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    TestDir dir;
    dir.MakeFolders("shared");
    ::chmod(dir.Path("shared").c_str(), 01777);
    dir.MakeFile("secret", "the caller's own file\n");
    const std::string link = dir.Path("shared/report.txt");
    dir.MakeLink("shared/report.txt", dir.Path("secret"));
    ASSERT_EQ(::lchown(link.c_str(), test::UnprivilegedId, test::UnprivilegedId), 0);
    for (const auto& format : Formats) {
        SCOPED_TRACE(format.name);
        try {
            format.write(link, test::ListOf({"/d/a"}));
            ADD_FAILURE() << "the link was followed";
        } catch (const IOError& error) {
            EXPECT_EQ(error.Code(), EACCES);
            EXPECT_EQ(error.Path(), link);
        }
        EXPECT_EQ(ReadWholeFile(dir.Path("secret")), "the caller's own file\n");
    }
    EXPECT_THROW(ReplaceWholeFile(link, "config"), IOError);
    // A pipe there is theirs to swap for a link between a look and the write.
    const std::string pipe = dir.Path("shared/report.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    ASSERT_EQ(::lchown(pipe.c_str(), test::UnprivilegedId, test::UnprivilegedId), 0);
    EXPECT_THROW(Write("csv", pipe, test::ListOf({"/d/a"})), IOError);
    ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);
    ReplaceWholeFile(link, "config");
    EXPECT_EQ(ReadWholeFile(dir.Path("secret")), "config");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

// A replaced file stays the old one's owner's, and a set-id bit is never
// carried onto an export or a configuration.
TEST(FailedExport, AReplacedFileKeepsItsOwnerAndNoSetIdBits) {
    TestDir dir;
    const std::string path = dir.Path("old.txt");
    test::WriteFile(path, "old");
    ::chmod(path.c_str(), 06777);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), test::UnprivilegedId, test::UnprivilegedId), 0);
    }
    Write("txt", path, test::ListOf({"/d/a"}));
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0777U);
    if (root) {
        EXPECT_EQ(status.st_uid, test::UnprivilegedId);
        EXPECT_EQ(status.st_gid, test::UnprivilegedId);
    }
    ReplaceWholeFile(path, "config");
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0777U);
}

// A workbook needs to seek; a pipe is refused before any byte reaches it.
TEST(FailedExport, AWorkbookIsRefusedUpFrontWhereTheTargetCannotSeek) {
    TestDir dir;
    const std::string fifo = dir.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received = "unread";
    std::thread reader([&] { received = ReadWholeFile(fifo); });
    try {
        Write("xlsx", fifo, test::ListOf({"/d/a"}));
        ADD_FAILURE() << "the workbook was written to a pipe";
    } catch (const IOError& error) {
        EXPECT_EQ(error.Code(), ESPIPE) << error.what();
    }
    reader.join();
    EXPECT_EQ(received, "");
}
