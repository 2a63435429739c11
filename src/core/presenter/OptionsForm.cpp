#include "core/presenter/OptionsForm.h"

#include "core/config/RemovalSetting.h"
#include "core/config/ScanRulesSetting.h"
#include "core/errors/Errors.h"

#include <algorithm>

namespace hollowsweep {

AgeInUnit ShownAge(std::chrono::seconds age, int maxCount) {
    for (std::size_t unit = 0; unit < AgeUnitLengths.size(); ++unit) {
        const std::chrono::seconds length = AgeUnitLengths[unit];
        if (age % length == std::chrono::seconds(0) && age / length <= maxCount) {
            return {static_cast<int>(age / length), static_cast<AgeUnit>(unit)};
        }
    }
    return {};
}

std::chrono::seconds AgeOf(const AgeInUnit& age) {
    return age.Count * AgeUnitLengths[static_cast<std::size_t>(age.Unit)];
}

LoadedOptions LoadOptions(Config& config) {
    try {
        return {{ReadScanRules(*config.Root()), ReadMoveToTrash(*config.Root())}, std::nullopt};
    } catch (const HollowsweepError& error) {
        return {{}, std::string(error.what())};
    }
}

std::optional<std::string> StoreOptions(Config& config, const OptionValues& values) {
    WriteScanRules(*config.Root(), values.Rules);
    WriteMoveToTrash(*config.Root(), values.MoveToTrash);
    try {
        config.Save();
    } catch (const HollowsweepError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

std::vector<std::string> WithCommonJunk(std::vector<std::string> names) {
    for (const std::string_view junk : CommonJunkFiles()) {
        if (std::find(names.begin(), names.end(), junk) == names.end()) {
            names.emplace_back(junk);
        }
    }
    return names;
}

} // namespace hollowsweep
