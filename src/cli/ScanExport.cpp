#include "cli/ScanExport.h"

#include "core/config/ConfigBinding.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/export/ExportColumns.h"
#include "core/export/ResultDocument.h"
#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"

#include <cerrno>
#include <cstdio>
#include <new>

namespace hollowsweep::cli {

namespace {

// A configuration takes a few kilobytes. Whatever is far larger is not one,
// and reading it whole could take all the memory there is (/dev/zero never ends).
constexpr std::size_t ConfigSizeLimit = std::size_t{16} << 20;

std::string ReadConfigText(const std::string& path) {
    std::optional<std::string> text = ReadFileWithin(path, ConfigSizeLimit);
    if (!text) {
        throw HollowsweepError(path + ": " + Tr("larger than 16 MiB, not a configuration file"));
    }
    return std::move(*text);
}

std::vector<std::string> ColumnsOfFile(const std::string& path) {
    const ConfigRootPtr root = ParseConfig(ReadConfigText(path), path);
    try {
        return GetExportColumns(*root);
    } catch (const HollowsweepError& error) {
        throw HollowsweepError(path + ": " + error.what());
    }
}

} // namespace

std::vector<std::string> LoadExportColumns(const std::string& configFile) {
    if (configFile.empty()) {
        return GetExportColumns(*ParseConfig(DefaultConfigText, "default configuration"));
    }
    // Even within the size limit, a document of millions of elements can
    // need more memory than there is; that is this file's fault, so it is named.
    try {
        return ColumnsOfFile(configFile);
    } catch (const std::bad_alloc&) {
        throw HollowsweepError(configFile + ": " + Tr("not enough memory to read it"));
    }
}

bool ToStandardOutput(const std::string& output) {
    return output.empty() || output == "-";
}

void WriteExport(const ExportFormat& format, const ResultList& list,
                 const std::vector<std::string>& columns, const std::string& output) {
    XMLDocument document;
    if (format.ReadsResultDocument) {
        ResetXMLDoc(document);
        BuildXMLDoc(document, list);
    }
    format.Write(ToStandardOutput(output) ? std::string() : output, {list, columns, &document});
}

} // namespace hollowsweep::cli
