#include "device_cli.h"

#include "command_support.h"
#include "option_settings.h"
#include "writer_setup.h"

#include <iostream>

namespace zephlin::cli {
namespace {

// Runs one command on the selected writer.
int runOne(Session& session, const Arguments& arguments, std::unique_ptr<Command> command) {
    WriterSetup writer(arguments);
    session.run(*command);
    return writer.finish(session.exitStatus());
}

int runOnPart(Session& session, const Arguments& arguments,
              std::unique_ptr<Command> (*make)(Session&)) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(session, arguments);
    return runOne(session, arguments, make(session));
}

int runOnAreas(Session& session, const Arguments& arguments,
               std::unique_ptr<Command> (*make)(Session&, Areas)) {
    requireShape(arguments, {"--area"}, 0, 0);
    selectChosenPart(session, arguments);
    return runOne(session, arguments, make(session, chosenAreas(session, arguments)));
}

// program, verify and auto: the images first, then the writer.
int runWithImages(Session& session, const Arguments& arguments,
                  const std::function<void()>& operations) {
    if (!loadImages(session, arguments, arguments.operands[0])) {
        return session.exitStatus();
    }
    WriterSetup writer(arguments);
    operations();
    return writer.finish(session.exitStatus());
}

void printOptionsRead(Session& session, const ZephlinContext& read) {
    printSettings(std::cout, session.part(), read);
    std::cout.flush();
}

} // namespace

int runCheckId(Session& session, const Arguments& arguments) {
    return runOnPart(session, arguments, makeCheckId);
}

int runErase(Session& session, const Arguments& arguments) {
    return runOnAreas(session, arguments, makeErase);
}

int runBlankCheck(Session& session, const Arguments& arguments) {
    return runOnAreas(session, arguments, makeBlankCheck);
}

int runWholeChipErase(Session& session, const Arguments& arguments) {
    return runOnPart(session, arguments, makeWholeChipErase);
}

int runReadChecksum(Session& session, const Arguments& arguments) {
    return runOnPart(session, arguments, makeReadChecksum);
}

int runReadOptions(Session& session, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(session, arguments);
    ZephlinContext read{};
    bool passed = false;
    const int status =
        runOne(session, arguments, makeReadOptions(session, [&](const ZephlinContext& scratch) {
                   read = scratch;
                   passed = true;
               }));
    if (passed) {
        printOptionsRead(session, read);
    }
    return status;
}

int runWriteOptions(Session& session, const Arguments& arguments) {
    requireShape(arguments, {"--set"}, 0, 0);
    selectChosenPart(session, arguments);
    applySetOptions(session, arguments);
    return runOne(session, arguments, makeWriteOptions(session));
}

int runProgram(Session& session, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill"}, 1, 1);
    return runWithImages(session, arguments, [&] {
        const auto command = makeProgram(session, {true, true});
        session.run(*command);
    });
}

int runVerify(Session& session, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill"}, 1, 1);
    return runWithImages(session, arguments, [&] {
        const auto command = makeVerify(session, {true, true});
        session.run(*command);
    });
}

int runAuto(Session& session, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill", "--steps", "--set"}, 1, 1);
    if (!prepareImages(session, arguments, arguments.operands[0])) {
        return session.exitStatus();
    }
    WriterSetup writer(arguments);
    runAutoSequence(session);
    return writer.finish(session.exitStatus());
}

int runDump(Session& session, const Arguments& arguments) {
    requireShape(arguments, {"--data"}, 1, 1);
    selectChosenPart(session, arguments);
    const bool withSecond = arguments.has("--data");
    if (withSecond && session.part().secondAreaSize == 0) {
        throw UsageError{"this part has no second area for --data"};
    }
    ZephlinContext read{};
    bool passed = false;
    int status = 0;
    {
        WriterSetup writer(arguments);
        const auto command =
            makeDumpTarget(session, [&](const ZephlinContext& scratch, DumpResult& areas) {
                CodeBuffer& buffer = session.buffer();
                buffer.setArea(kMainPage, areas.main);
                buffer.loadRecord(kMainPage) = {LoadState::Dumped, FillMode::None, {}, {}};
                if (session.part().secondAreaSize != 0) {
                    buffer.setArea(kSecondPage, areas.second);
                    buffer.loadRecord(kSecondPage) = {LoadState::Dumped, FillMode::None, {}, {}};
                }
                read = scratch;
                passed = true;
            });
        session.run(*command);
        status = writer.finish(session.exitStatus());
    }
    if (!passed) {
        return status;
    }
    printOptionsRead(session, read);
    bool written = saveBuffer(session, kMainPage, arguments.operands[0]);
    if (withSecond) {
        written = saveBuffer(session, kSecondPage, *arguments.value("--data")) && written;
    }
    return written ? status : kExitCannotWrite;
}

} // namespace zephlin::cli
