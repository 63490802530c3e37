// The zephlin commands that need no writer: options, version, sim-faults and
// hex2bin (parts lives in parts_listing.h).
#pragma once

#include "cli/cli_arguments.h"
#include "shell/core/workspace.h"

namespace zephlin::cli {

int runOptions(Workspace& workspace, const Arguments& arguments);
int runVersion(Workspace& workspace, const Arguments& arguments);
int runSimFaults(Workspace& workspace, const Arguments& arguments);
// hex2bin IN.hex OUT.bin: Load File's converter on its own; the image may be
// as long as the main area of --part, or of the largest part without it.
int runHexToBin(Workspace& workspace, const Arguments& arguments);

} // namespace zephlin::cli
