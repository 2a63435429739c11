#include "core/removal/RemovalOutcome.h"

#include "core/errors/Errors.h"

#include <cerrno>

namespace hollowsweep {

RemovalResult OpenFailure(int error) noexcept {
    switch (error) {
    case ENOENT:
        return {RemovalOutcome::Gone, error};
    case ELOOP:
    case ENOTDIR:
        return {RemovalOutcome::Changed, error};
    default:
        return {RemovalOutcome::Failed, error};
    }
}

std::string RemovalReason(RemovalOutcome outcome, int errorCode) {
    switch (outcome) {
    case RemovalOutcome::Removed:
        return "removed";
    case RemovalOutcome::Gone:
        return SystemErrorText(ENOENT);
    case RemovalOutcome::NotEmpty:
        return SystemErrorText(ENOTEMPTY);
    case RemovalOutcome::Changed:
        return "changed since the scan";
    case RemovalOutcome::ThroughLink:
        return "named through a link, which is kept";
    case RemovalOutcome::Outside:
        return "not inside the folders given";
    case RemovalOutcome::Excluded:
        return "excluded by name";
    case RemovalOutcome::OtherFileSystem:
        return "on another file system";
    case RemovalOutcome::TooRecent:
        return "modified too recently";
    case RemovalOutcome::NotTrashed:
        return "could not be moved to the trash";
    case RemovalOutcome::Failed:
        break;
    }
    return SystemErrorText(errorCode);
}

} // namespace hollowsweep
