// The zephlin commands that talk to the writer: check-id, erase, blank-check,
// whole-chip-erase, read-options, read-checksum, write-options, program,
// verify, auto and dump. Each returns its exit status.
#pragma once

#include "cli_arguments.h"
#include "session.h"

namespace zephlin::cli {

using CommandHandler = int (*)(Session& session, const Arguments& arguments);

// Prepares everything that needs no writer (part, files, options), then
// selects the writer and runs the command's operations. Usage errors are
// thrown before the writer is touched.
int runCheckId(Session& session, const Arguments& arguments);
int runErase(Session& session, const Arguments& arguments);
int runBlankCheck(Session& session, const Arguments& arguments);
int runWholeChipErase(Session& session, const Arguments& arguments);
int runReadOptions(Session& session, const Arguments& arguments);
int runReadChecksum(Session& session, const Arguments& arguments);
int runWriteOptions(Session& session, const Arguments& arguments);
int runProgram(Session& session, const Arguments& arguments);
int runVerify(Session& session, const Arguments& arguments);
int runAuto(Session& session, const Arguments& arguments);
int runDump(Session& session, const Arguments& arguments);

} // namespace zephlin::cli
