#include "core/results/LoadEmptyFolders.h"

#include "core/scan/EmptyFolderScan.h"

namespace hollowsweep {

ScanOutcome LoadEmptyFolders(ResultList& list, std::string_view folder,
                             const ScanOptions& options) {
    const std::string folders[] = {std::string(folder)};
    return LoadEmptyFolders(list, folders, options);
}

ScanOutcome LoadEmptyFolders(ResultList& list, std::span<const std::string> folders,
                             const ScanOptions& options) {
    list.Clear();
    list.BeginUpdate();
    ScanOutcome outcome;
    try {
        list.SetScannedFolders({folders.begin(), folders.end()});
        list.SetScanRules(options.Rules);
        ScanOptions listOptions = options;
        listOptions.Unreadable = [&list, &options](std::string_view path, int error) {
            list.AddUnreadableFolder({std::string(path), error});
            if (options.Unreadable) {
                options.Unreadable(path, error);
            }
        };
        listOptions.Protected = [&list, &options](std::string_view path,
                                                  const Protection& protection) {
            list.AddKeptFolder({std::string(path), protection});
            if (options.Protected) {
                options.Protected(path, protection);
            }
        };
        outcome.Cancelled =
            !ForEachEmptyFolder(folders, listOptions, [&list](const EmptyFolder& found) {
                list.Append(ResultRecord::ForFolder(found.Path), found.Identity);
            });
    } catch (...) {
        outcome.Error = std::current_exception();
    }
    list.EndUpdate();
    return outcome;
}

} // namespace hollowsweep
