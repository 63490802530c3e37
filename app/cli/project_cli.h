// The zephlin commands for project files: kdx-save and kdx-info.
#pragma once

#include "cli/cli_arguments.h"
#include "shell/core/workspace.h"

namespace zephlin::cli {

// kdx-save OUT.kdx FILE: loads FILE (and --data), applies --set, inserts ISP
// code for --isp, takes --customer, and saves the project as OUT.kdx with the
// "Save KDX" log entry.
int runKdxSave(Workspace& workspace, const Arguments& arguments);

// kdx-info FILE.kdx: every footer field, the decoded options and the outcome
// of each check the library makes when it loads the project.
int runKdxInfo(Workspace& workspace, const Arguments& arguments);

} // namespace zephlin::cli
