#include "results/DeleteChecked.h"

#include "platform/FolderPaths.h"

#include <algorithm>
#include <cerrno>

namespace hollowsweep {

namespace {

void RemoveInOrder(const TResultList& list, std::vector<bool>& leaving, TDeleteSummary& summary,
                   const TRemovedCallback& onRemoved) {
    for (const std::size_t index : RemovalOrder(list)) {
        const std::string path(list.At(index).Record.Path());
        const int error = RemoveFolder(path);
        if (error == 0) {
            leaving[index] = true;
            ++summary.Removed;
            if (onRemoved) {
                onRemoved(path);
            }
        } else if (error == ENOENT || error == ENOTDIR) {
            leaving[index] = true;
            ++summary.Gone;
        } else {
            summary.Failures.push_back({path, error});
        }
    }
}

} // namespace

std::vector<std::size_t> RemovalOrder(const TResultList& list) {
    std::vector<std::size_t> order;
    for (std::size_t index = 0; index < list.Count(); ++index) {
        if (list.At(index).Checked) {
            order.push_back(index);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&list](std::size_t a, std::size_t b) {
        return list.At(a).Record.Path().size() > list.At(b).Record.Path().size();
    });
    return order;
}

TDeleteSummary DeleteCheckedFolders(TResultList& list, const TRemovedCallback& onRemoved) {
    TDeleteSummary summary;
    std::vector<bool> leaving(list.Count(), false);
    // Entries of folders already removed leave the list even when a later step fails.
    try {
        RemoveInOrder(list, leaving, summary, onRemoved);
    } catch (...) {
        list.DeleteMarked(leaving);
        throw;
    }
    list.DeleteMarked(leaving);
    return summary;
}

} // namespace hollowsweep
