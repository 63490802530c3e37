// zephlin: the command-line programmer. It calls the library's exports as
// the main window does and writes the same log, so that both agree on what
// "Pass" means; the exit status is 0 when every operation passed, else the
// first failing result code minus 100, 64 for a usage error, and the statuses
// of cli_choices.h for what is not an operation's result.
#include "cli/cli_choices.h"
#include "cli/console_workspace.h"
#include "cli/device_cli.h"
#include "cli/offline_cli.h"
#include "cli/parts_listing.h"
#include "cli/project_cli.h"
#include "cli/tools_cli.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>

namespace zephlin::cli {
namespace {

int runParts(Workspace& /*workspace*/, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    return listParts(std::cout) ? 0 : 1;
}

struct CommandEntry {
    std::string_view name;
    CommandHandler handler;
};

constexpr std::array kCommands{
    CommandEntry{"parts", runParts},
    CommandEntry{"options", runOptions},
    CommandEntry{"version", runVersion},
    CommandEntry{"sim-faults", runSimFaults},
    CommandEntry{"check-id", runCheckId},
    CommandEntry{"erase", runErase},
    CommandEntry{"blank-check", runBlankCheck},
    CommandEntry{"whole-chip-erase", runWholeChipErase},
    CommandEntry{"read-options", runReadOptions},
    CommandEntry{"read-checksum", runReadChecksum},
    CommandEntry{"write-options", runWriteOptions},
    CommandEntry{"program", runProgram},
    CommandEntry{"verify", runVerify},
    CommandEntry{"auto", runAuto},
    CommandEntry{"dump", runDump},
    CommandEntry{"kdx-save", runKdxSave},
    CommandEntry{"kdx-info", runKdxInfo},
    CommandEntry{"offline-load", runOfflineLoad},
    CommandEntry{"offline-info", runOfflineInfo},
    CommandEntry{"sim-produce", runSimProduce},
    CommandEntry{"hex2bin", runHexToBin},
};

constexpr std::string_view kUsage = R"(usage: zephlin COMMAND [OPERANDS] [OPTIONS]

Catalogue and tools
  parts                         list the supported parts
  options --part P              the part's option cells, their choices and defaults
  version                       the library's version and edition
  sim-faults                    the faults the simulated writer can inject
  hex2bin IN.hex OUT.bin        convert Intel HEX as Load File does

Device commands (need --part, or a .kdx FILE that names the part)
  check-id
  erase [--area main|second|both]
  blank-check [--area main|second|both]
  whole-chip-erase
  read-options
  read-checksum
  write-options [--set NAME=VALUE ...]
  program FILE [--data FILE]
  verify FILE [--data FILE]
  auto FILE [--data FILE] [--steps LIST] [--set NAME=VALUE ...]
        LIST from wce,erase,blank,program,verify,options,checksum
        (default wce,blank,program,verify,options,checksum)
  dump OUT [--data OUT2]        write the areas as raw binary, print the options

Project files
  kdx-save OUT.kdx FILE [--data FILE] [--set NAME=VALUE ...] [--steps LIST]
           [--customer TEXT] [--isp default|FILE]
  kdx-info FILE.kdx

Off-Line Mode
  offline-load FILE [--data FILE] [--max-counter N] [--set NAME=VALUE ...]
           [--steps LIST]
           [--serial TEXT [--number HEX] [--address HEX] [--increment]
           [--area main|second]]
  offline-info                  what the writer holds for off-line production
  sim-produce N                 let the simulated writer produce N chips

FILE is Intel HEX (.hex), a project (.kdx) or raw binary (anything else);
--at ADDR (hexadecimal load address) and --fill 00|FF place a code file.
Words after "--" are operands even when they begin with "-".

Global options
  --part NAME|INDEX             the part, by name or chip index (zephlin parts)
  --writer usb|sim              the USB writer box (default) or the simulated writer
  --sim-state FILE              the simulated writer's state, kept between commands
  --sim-fault NAME[=N]          inject a simulator fault (repeatable)
  --sim-latency-us N            the simulated writer's delay per report
  --lang en|zh                  the language of the log
  --yes                         answer Yes to writer firmware updates (default No)
  --help                        this text

Exit status: 0 all passed; the first failing result code minus 100 (102 gives
2, 105 gives 5, 124 gives 24); 64 usage error; 65 a code file without data or
an Intel HEX file with a damaged record; 70 an internal error; 74 an output
file, the simulator's state file or standard output that cannot be written.
)";

Language chosenLanguage(const Arguments& arguments) {
    const std::string lang = arguments.value("--lang").value_or("en");
    if (lang == "en") {
        return Language::English;
    }
    if (lang == "zh") {
        return Language::Chinese;
    }
    throw UsageError{"--lang takes en or zh, not " + lang};
}

int run(const std::vector<std::string>& words) {
    const Arguments arguments = parseArguments(words);
    if (arguments.has("--help")) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments.command.empty()) {
        throw UsageError{"expected a command"};
    }
    const auto entry = std::ranges::find_if(
        kCommands, [&](const CommandEntry& c) { return c.name == arguments.command; });
    if (entry == kCommands.end()) {
        throw UsageError{"unknown command " + arguments.command};
    }
    ConsoleWorkspace console(chosenLanguage(arguments));
    Workspace& workspace = console.workspace();
    if (workspace.catalogue().count() == 0) {
        std::fputs("zephlin: DLL does not have any body info !\n", stderr);
        return 1;
    }
    return entry->handler(workspace, arguments);
}

} // namespace
} // namespace zephlin::cli

namespace zephlin::cli {
namespace {

// What a command printed is part of its result: output that could not be
// written (a full disk, a closed pipe) fails a command that passed.
int withOutputWritten(int status) {
    std::cout.flush();
    if (std::fflush(stdout) == 0 && !std::cout.fail() && std::ferror(stdout) == 0) {
        return status;
    }
    std::fprintf(stderr, "zephlin: cannot write standard output: %s\n", std::strerror(errno));
    return status == 0 ? kExitCannotWrite : status;
}

int runCommandLine(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "zephlin: %s; see zephlin --help\n", error.message.c_str());
        return kExitUsage;
    } catch (const CommandFailure& failure) {
        std::fprintf(stderr, "zephlin: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zephlin: %s\n", failure.what());
        return kExitInternal;
    }
}

} // namespace
} // namespace zephlin::cli

int main(int argc, char** argv) {
    using namespace zephlin::cli;
    return withOutputWritten(runCommandLine(argc, argv));
}
