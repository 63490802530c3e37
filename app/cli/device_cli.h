// The zephlin commands that talk to the writer: check-id, erase, blank-check,
// whole-chip-erase, read-options, read-checksum, write-options, program,
// verify, auto and dump. Each returns its exit status.
#pragma once

#include "cli/cli_arguments.h"
#include "shell/core/workspace.h"

namespace zephlin::cli {

using CommandHandler = int (*)(Workspace& workspace, const Arguments& arguments);

// Prepares everything that needs no writer (part, files, options), then
// selects the writer and runs the command's operations. Usage errors are
// thrown before the writer is touched.
int runCheckId(Workspace& workspace, const Arguments& arguments);
int runErase(Workspace& workspace, const Arguments& arguments);
int runBlankCheck(Workspace& workspace, const Arguments& arguments);
int runWholeChipErase(Workspace& workspace, const Arguments& arguments);
int runReadOptions(Workspace& workspace, const Arguments& arguments);
int runReadChecksum(Workspace& workspace, const Arguments& arguments);
int runWriteOptions(Workspace& workspace, const Arguments& arguments);
int runProgram(Workspace& workspace, const Arguments& arguments);
int runVerify(Workspace& workspace, const Arguments& arguments);
int runAuto(Workspace& workspace, const Arguments& arguments);
int runDump(Workspace& workspace, const Arguments& arguments);

} // namespace zephlin::cli
