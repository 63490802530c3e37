#include "cli/device_cli.h"

#include "buffer/core/save_buffer_command.h"
#include "cli/cli_choices.h"
#include "cli/option_assignments.h"
#include "cli/writer_setup.h"
#include "shell/core/auto_sequence.h"

#include <iostream>

namespace zephlin::cli {
namespace {

// Runs one command on the selected writer.
int runOne(Workspace& workspace, const Arguments& arguments, std::unique_ptr<Command> command) {
    WriterSetup writer(arguments);
    workspace.run(*command);
    return writer.finish(exitStatus(workspace));
}

int runOnPart(Workspace& workspace, const Arguments& arguments,
              std::unique_ptr<Command> (*make)(Workspace&)) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(workspace, arguments);
    return runOne(workspace, arguments, make(workspace));
}

int runOnAreas(Workspace& workspace, const Arguments& arguments,
               std::unique_ptr<Command> (*make)(Workspace&, Areas)) {
    requireShape(arguments, {"--area"}, 0, 0);
    selectChosenPart(workspace, arguments);
    return runOne(workspace, arguments, make(workspace, chosenAreas(workspace, arguments)));
}

// program, verify and auto: the images first, then the writer.
int runWithImages(Workspace& workspace, const Arguments& arguments,
                  const std::function<void()>& operations) {
    if (!loadImages(workspace, arguments, arguments.operands[0])) {
        return exitStatus(workspace);
    }
    WriterSetup writer(arguments);
    operations();
    return writer.finish(exitStatus(workspace));
}

void printOptionsRead(Workspace& workspace, const ZephlinContext& read) {
    printSettings(std::cout, workspace.part(), read);
    std::cout.flush();
}

} // namespace

int runCheckId(Workspace& workspace, const Arguments& arguments) {
    return runOnPart(workspace, arguments, makeCheckId);
}

int runErase(Workspace& workspace, const Arguments& arguments) {
    return runOnAreas(workspace, arguments, makeErase);
}

int runBlankCheck(Workspace& workspace, const Arguments& arguments) {
    return runOnAreas(workspace, arguments, makeBlankCheck);
}

int runWholeChipErase(Workspace& workspace, const Arguments& arguments) {
    return runOnPart(workspace, arguments, makeWholeChipErase);
}

int runReadChecksum(Workspace& workspace, const Arguments& arguments) {
    return runOnPart(workspace, arguments, makeReadChecksum);
}

int runReadOptions(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(workspace, arguments);
    ZephlinContext read{};
    bool passed = false;
    const int status =
        runOne(workspace, arguments, makeReadOptions(workspace, [&](const ZephlinContext& scratch) {
                   read = scratch;
                   passed = true;
               }));
    if (passed) {
        printOptionsRead(workspace, read);
    }
    return status;
}

int runWriteOptions(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--set"}, 0, 0);
    selectChosenPart(workspace, arguments);
    applySetOptions(workspace, arguments);
    return runOne(workspace, arguments, makeWriteOptions(workspace));
}

int runProgram(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill"}, 1, 1);
    return runWithImages(workspace, arguments, [&] {
        const auto command = makeProgram(workspace, {true, true});
        workspace.run(*command);
    });
}

int runVerify(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill"}, 1, 1);
    return runWithImages(workspace, arguments, [&] {
        const auto command = makeVerify(workspace, {true, true});
        workspace.run(*command);
    });
}

int runAuto(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill", "--steps", "--set"}, 1, 1);
    if (!prepareImages(workspace, arguments, arguments.operands[0])) {
        return exitStatus(workspace);
    }
    WriterSetup writer(arguments);
    runAutoSequence(workspace);
    return writer.finish(exitStatus(workspace));
}

int runDump(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--data"}, 1, 1);
    selectChosenPart(workspace, arguments);
    const bool withSecond = arguments.has("--data");
    if (withSecond && workspace.part().secondAreaSize == 0) {
        throw UsageError{"this part has no second area for --data"};
    }
    ZephlinContext read{};
    bool passed = false;
    int status = 0;
    {
        WriterSetup writer(arguments);
        const auto command =
            makeDumpTarget(workspace, [&](const ZephlinContext& scratch, DumpResult& areas) {
                takeDump(workspace, scratch, areas);
                read = scratch;
                passed = true;
            });
        workspace.run(*command);
        status = writer.finish(exitStatus(workspace));
    }
    if (!passed) {
        return status;
    }
    printOptionsRead(workspace, read);
    bool written = saveBuffer(workspace, kMainPage, arguments.operands[0]);
    if (withSecond) {
        written = saveBuffer(workspace, kSecondPage, *arguments.value("--data")) && written;
    }
    return written ? status : kExitCannotWrite;
}

} // namespace zephlin::cli
