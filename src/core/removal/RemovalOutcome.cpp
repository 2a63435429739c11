#include "core/removal/RemovalOutcome.h"

#include "core/errors/Errors.h"
#include "core/product/Messages.h"

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
        return Tr("removed");
    case RemovalOutcome::Gone:
        return SystemErrorText(ENOENT);
    case RemovalOutcome::NotEmpty:
        return SystemErrorText(ENOTEMPTY);
    case RemovalOutcome::Changed:
        return Tr("changed since the scan");
    case RemovalOutcome::NotAFolder:
        return Tr("not a folder");
    case RemovalOutcome::LinkOnPath:
        return Tr("leads through a link, which is not followed");
    case RemovalOutcome::ThroughLink:
        return Tr("named through a link, which is kept");
    case RemovalOutcome::Outside:
        return Tr("not inside the folders given");
    case RemovalOutcome::Excluded:
        return Tr("excluded by name");
    case RemovalOutcome::ExcludedPath:
        return Tr("excluded by path");
    case RemovalOutcome::OtherFileSystem:
        return Tr("on another file system");
    case RemovalOutcome::TooRecent:
        return Tr("modified too recently");
    case RemovalOutcome::NotTrashed:
        return Tr("could not be moved to the trash");
    case RemovalOutcome::Failed:
        break;
    }
    return SystemErrorText(errorCode);
}

} // namespace hollowsweep
