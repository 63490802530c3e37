// Pieces the zephlin commands share: the part and area choices of the command
// line, the exit statuses beyond result codes, and the loading of the code
// files a command programs.
#pragma once

#include "buffer/core/load_file_command.h"
#include "cli/cli_arguments.h"
#include "shell/core/device_commands.h"
#include "shell/core/workspace.h"

#include "support/hex_records.h"

#include <optional>
#include <string>

namespace zephlin::cli {

inline constexpr int kExitUsage = 64;       // a mistake on the command line
inline constexpr int kExitNoData = 65;      // a code file without any data
inline constexpr int kExitDamagedFile = 65; // an Intel HEX file with a damaged record
inline constexpr int kExitInternal = 70;    // the program failed (the reason on standard error)
inline constexpr int kExitCannotWrite = 74; // an output file or standard output failed

// Ends a command early with an exit status and a one-line explanation.
struct CommandFailure {
    int status;
    std::string message;
};

// The refusal of a HEX file with a damaged record, naming its line.
CommandFailure damagedFileFailure(const std::string& file, const hex::DamagedRecord& damaged);

// The exit status: 0 when everything passed, else the first failing result
// code minus 100.
int exitStatus(const Workspace& workspace);

// --part NAME|INDEX: the chip index, or nothing when the option is absent.
std::optional<int32_t> chosenPart(const Workspace& workspace, const Arguments& arguments);
// Selects the chosen part; throws UsageError when it is missing.
void selectChosenPart(Workspace& workspace, const Arguments& arguments);

// --area main|second|both (default main); refused for a part without the area.
Areas chosenAreas(const Workspace& workspace, const Arguments& arguments);
// --at ADDR and --fill 00|FF.
Placement chosenPlacement(const Arguments& arguments);
// --steps LIST, when given.
std::optional<uint16_t> chosenSteps(const Arguments& arguments);

// Loads FILE and --data FILE into the workspace. A project sets the
// part; otherwise --part must name one. Returns false when a load did not pass
// (its entry shows why). Throws CommandFailure when there is nothing to
// program, UsageError for a project of another part than --part.
bool loadImages(Workspace& workspace, const Arguments& arguments, const std::string& file);

// loadImages, then --set and --steps on the loaded settings: everything a
// command that hands images to the library checks before the writer.
bool prepareImages(Workspace& workspace, const Arguments& arguments, const std::string& file);

// Applies --set assignments to the workspace's option settings.
void applySetOptions(Workspace& workspace, const Arguments& arguments);

} // namespace zephlin::cli
