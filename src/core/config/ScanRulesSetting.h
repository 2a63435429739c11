#pragma once

#include "core/config/ConfigBinding.h"
#include "core/rules/ScanRules.h"

namespace hollowsweep {

// The scan rules as the configuration keeps them, in an element of their own
// that is there only while a rule is set, so a configuration without rules
// stays as it always was, and builds that know no rules pass it over. The
// protection of folders other programs need is on unless it says otherwise:
//
//   <scanRules oneFileSystem="True" olderThan="7d" protectFolders="False">
//     <exclude name="node_modules"/><junk name="Thumbs.db"/>
//   </scanRules>

// The rules kept in the configuration; none when the element is absent. A
// value that does not read raises ConversionError naming it, rather than
// scanning without a rule the user set.
ScanRules ReadScanRules(ConfigRoot& root);
// Replaces the element, or removes it when no rule is set.
void WriteScanRules(ConfigRoot& root, const ScanRules& rules);

} // namespace hollowsweep
