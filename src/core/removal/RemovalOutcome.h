#pragma once

#include <cstdint>
#include <string>

namespace hollowsweep {

// What became of one folder that was to be removed.
enum class RemovalOutcome : std::uint8_t {
    Removed,
    // Already gone when its turn came: someone else removed it.
    Gone,
    // It holds something now: a file, or a folder that stayed.
    NotEmpty,
    // Its path leads somewhere else now: to another folder, through a link,
    // or to a file. It is not the folder that was found.
    Changed,
    // Listed without a scan, it is a file or something else, not a folder.
    NotAFolder,
    // Listed without a scan, it or a folder on its path is a link, which a
    // removal never follows.
    LinkOnPath,
    // A starting folder named through a link: what lay below it was handled,
    // but it is never removed itself.
    ThroughLink,
    // It lies outside every starting folder, or its path steps through "."
    // or "..": it is never touched.
    Outside,
    // A scan rule keeps it: its name, or a folder's on its path, is excluded;
    // it lies on another file system; or it was modified too recently.
    Excluded,
    // A scan rule's pattern matches its whole path.
    ExcludedPath,
    OtherFileSystem,
    TooRecent,
    // The desktop's trash did not take it.
    NotTrashed,
    // The system refused, for the reason in the error code.
    Failed,
};

// One target's outcome, with the system's code where a call failed, else 0.
struct RemovalResult {
    RemovalOutcome Outcome;
    int ErrorCode;
};

// Why a folder could not be opened below its parent without following a
// link: gone, turned into a link or a file, or the system's reason.
RemovalResult OpenFailure(int error) noexcept;

// Whether the folder's entry leaves a list: it is no longer there.
constexpr bool LeavesList(RemovalOutcome outcome) noexcept {
    return outcome == RemovalOutcome::Removed || outcome == RemovalOutcome::Gone;
}

// The reason a folder stayed, in words for the user.
std::string RemovalReason(RemovalOutcome outcome, int errorCode);

} // namespace hollowsweep
