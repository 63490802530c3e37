// The Auto sequence over the workspace's step flags: WholeChip Erase, Erase,
// Blank Check, Program, Verify, Write Options, each when its bit is set, each
// with the in-sequence flag set around it, ended by the first step but Write
// Options that does not pass. The start and end lines are always written.
#pragma once

#include "shell/core/workspace.h"

namespace zephlin {

void runAutoSequence(Workspace& workspace);

} // namespace zephlin
