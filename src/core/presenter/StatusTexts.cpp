#include "core/presenter/StatusTexts.h"

#include "core/errors/Errors.h"
#include "core/product/Messages.h"
#include "core/rules/ProtectedFolders.h"

namespace hollowsweep {

namespace {

// A panel's hint: a heading and the first folders, each with its reason.
template <class Folder, class Describe>
std::string FolderHint(std::string heading, const std::vector<Folder>& folders, Describe describe) {
    constexpr std::size_t Shown = 30;
    for (std::size_t i = 0; i < folders.size() && i < Shown; ++i) {
        heading += "\n" + folders[i].Path + ": " + describe(folders[i]);
    }
    if (folders.size() > Shown) {
        heading += FormatText(Tr("\n... and %1 more"), {std::to_string(folders.size() - Shown)});
    }
    return heading;
}

StatusPanel CountsPanel(const ResultList& list) {
    const std::size_t count = list.Count();
    const std::size_t checked = list.CheckedCount();
    std::string text = FormatText(TrN("%1 empty %2, %3 checked", "%1 empty %2, %3 checked", count),
                                  {std::to_string(count), count == 1 ? Tr("folder") : Tr("folders"),
                                   std::to_string(checked)});
    if (list.Filtered()) {
        text += FormatText(Tr(", %1 of %2 shown"),
                           {std::to_string(list.ShownCount()), std::to_string(count)});
    }
    return {text, {}};
}

StatusPanel UnreadablePanel(const ResultList& list) {
    const auto& unreadable = list.UnreadableFolders();
    if (unreadable.empty()) {
        return {};
    }
    const std::size_t count = unreadable.size();
    return {std::to_string(count),
            FolderHint(FormatText(TrN("%1 could not be read:", "%1 could not be read:", count),
                                  {FolderCount(count)}),
                       unreadable,
                       [](const UnreadableFolder& f) { return SystemErrorText(f.Error); })};
}

StatusPanel KeptPanel(const ResultList& list) {
    const auto& kept = list.KeptFolders();
    if (kept.empty()) {
        return {};
    }
    const std::size_t count = kept.size();
    return {FormatText(TrN("%1 kept for other programs", "%1 kept for other programs", count),
                       {std::to_string(count)}),
            FolderHint(FormatText(TrN("%1 kept because other programs need them:",
                                      "%1 kept because other programs need them:", count),
                                  {FolderCount(count)}),
                       kept, [](const KeptFolder& f) { return ProtectionReason(f.Reason); })};
}

} // namespace

StatusTexts StatusOf(const ResultList& list) {
    if (list.ScannedFolders().empty() && list.Empty()) {
        return {};
    }
    return {CountsPanel(list), UnreadablePanel(list), KeptPanel(list)};
}

std::string FolderCount(std::size_t count) {
    return FormatText(TrN("%1 folder", "%1 folders", count), {std::to_string(count)});
}

} // namespace hollowsweep
