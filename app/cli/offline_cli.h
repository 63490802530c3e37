// The zephlin commands of Off-Line Mode: offline-load loads the writer with
// an image, its options and a serial-number scheme for producing chips on
// its own; offline-info shows what the writer holds (Read Info);
// sim-produce lets the simulated writer produce chips.
#pragma once

#include "cli/cli_arguments.h"
#include "shell/core/workspace.h"

namespace zephlin::cli {

int runOfflineLoad(Workspace& workspace, const Arguments& arguments);
int runOfflineInfo(Workspace& workspace, const Arguments& arguments);
int runSimProduce(Workspace& workspace, const Arguments& arguments);

} // namespace zephlin::cli
