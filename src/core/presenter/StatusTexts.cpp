#include "core/presenter/StatusTexts.h"

#include "core/errors/Errors.h"
#include "core/product/Messages.h"
#include "core/rules/ProtectedFolders.h"

namespace hollowsweep {

namespace {

// A panel's hint: a heading and the first folders, each with its reason.
template <class Folder, class Describe>
std::string FolderHint(std::string heading, const std::vector<Folder>& folders, Describe describe,
                       std::string_view separator) {
    constexpr std::size_t Shown = 30;
    for (std::size_t i = 0; i < folders.size() && i < Shown; ++i) {
        heading += "\n" + folders[i].Path + ": " + describe(folders[i]);
    }
    if (folders.size() > Shown) {
        heading +=
            FormatText(Tr("\n... and %1 more"), {GroupedCount(folders.size() - Shown, separator)});
    }
    return heading;
}

StatusPanel CountsPanel(const ResultList& list, std::string_view separator) {
    const std::size_t count = list.Count();
    const std::size_t checked = list.CheckedCount();
    std::string text =
        FormatText(TrN("%1 empty %2, %3 checked", "%1 empty %2, %3 checked", count),
                   {GroupedCount(count, separator), count == 1 ? Tr("folder") : Tr("folders"),
                    GroupedCount(checked, separator)});
    if (list.Filtered()) {
        text += FormatText(Tr(", %1 of %2 shown"), {GroupedCount(list.ShownCount(), separator),
                                                    GroupedCount(count, separator)});
    }
    return {text, {}};
}

StatusPanel UnreadablePanel(const ResultList& list, std::string_view separator) {
    const auto& unreadable = list.UnreadableFolders();
    if (unreadable.empty()) {
        return {};
    }
    const std::size_t count = unreadable.size();
    return {
        FormatText(TrN("%1 unreadable", "%1 unreadable", count), {GroupedCount(count, separator)}),
        FolderHint(
            FormatText(TrN("%1 could not be read:", "%1 could not be read:", count),
                       {FolderCount(count, separator)}),
            unreadable, [](const UnreadableFolder& f) { return SystemErrorText(f.Error); },
            separator)};
}

StatusPanel KeptPanel(const ResultList& list, std::string_view separator) {
    const auto& kept = list.KeptFolders();
    if (kept.empty()) {
        return {};
    }
    const std::size_t count = kept.size();
    return {FormatText(TrN("%1 kept for other programs", "%1 kept for other programs", count),
                       {GroupedCount(count, separator)}),
            FolderHint(
                FormatText(TrN("%1 kept because other programs need them:",
                               "%1 kept because other programs need them:", count),
                           {FolderCount(count, separator)}),
                kept, [](const KeptFolder& f) { return ProtectionReason(f.Reason); }, separator)};
}

} // namespace

StatusTexts StatusOf(const ResultList& list, std::string_view groupSeparator) {
    if (list.ScannedFolders().empty() && list.Empty()) {
        return {};
    }
    return {CountsPanel(list, groupSeparator), UnreadablePanel(list, groupSeparator),
            KeptPanel(list, groupSeparator)};
}

std::string FolderCount(std::size_t count, std::string_view groupSeparator) {
    return FormatText(TrN("%1 folder", "%1 folders", count), {GroupedCount(count, groupSeparator)});
}

} // namespace hollowsweep
