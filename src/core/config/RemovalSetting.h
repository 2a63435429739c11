#pragma once

#include "core/config/ConfigBinding.h"

namespace hollowsweep {

// Whether removal sends folders to the desktop's trash, kept in an element of
// its own that is there only while it is set, so a configuration that never
// set it stays as it always was:
//
//   <removal moveToTrash="True"/>

// False when the element is absent. A value that does not read raises
// ConversionError naming it, rather than removing what the user wanted in
// the trash.
bool ReadMoveToTrash(ConfigRoot& root);
// Replaces the element, or removes it when not set.
void WriteMoveToTrash(ConfigRoot& root, bool moveToTrash);

} // namespace hollowsweep
