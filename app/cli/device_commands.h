// The device commands of the main window as runner commands over a session:
// what each puts into the operation context record, which export it calls
// and in which form, and what it does with the result.
#pragma once

#include "image_hand_over.h"
#include "operation_runner.h"
#include "session.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zephlin::cli {

// The areas a command acts on: outside the Auto sequence the chosen one(s),
// inside it both.
struct Areas {
    bool main = true;
    bool second = false;
};

// A command over the session's main record.
class SessionCommand : public Command {
public:
    explicit SessionCommand(Session& session) : session_(session) {}

protected:
    Session& session_;
};

// A command on a fresh record of its own that carries only the session's
// chip index and its own result word: a read never overwrites the settings
// the session holds.
class ScratchCommand : public SessionCommand {
public:
    explicit ScratchCommand(Session& session);
    bool showsWaitCursor() const override { return true; }
    Preparation prepare() override { return Preparation::use(*scratch_); }
    const ZephlinContext& scratch() const { return *scratch_; }

protected:
    std::unique_ptr<ZephlinContext> scratch_;
    uint16_t resultWord_ = 0;
};

// Check ID, Erase, Blank Check, Program, Verify, WholeChip Erase, Write
// Options, in the form the device-command table gives them.
std::unique_ptr<Command> makeCheckId(Session& session);
std::unique_ptr<Command> makeErase(Session& session, Areas areas);
std::unique_ptr<Command> makeBlankCheck(Session& session, Areas areas);
std::unique_ptr<Command> makeProgram(Session& session, Areas areas);
std::unique_ptr<Command> makeVerify(Session& session, Areas areas);
std::unique_ptr<Command> makeWholeChipErase(Session& session);
std::unique_ptr<Command> makeWriteOptions(Session& session);

// Reads on a scratch record, so that the session's option settings are never
// overwritten. Each hands what it read to its consumer on 101 only.
using OptionsRead = std::function<void(const ZephlinContext& scratch)>;
std::unique_ptr<Command> makeReadOptions(Session& session, OptionsRead shown);
// Read Chip Checksum writes the checksum line after the entry.
std::unique_ptr<Command> makeReadChecksum(Session& session);
struct DumpResult {
    std::vector<uint8_t> main;
    std::vector<uint8_t> second;
};
using DumpRead = std::function<void(const ZephlinContext& scratch, DumpResult& areas)>;
std::unique_ptr<Command> makeDumpTarget(Session& session, DumpRead read);

// The Auto sequence over the session's step flags: WholeChip Erase, Erase,
// Blank Check, Program, Verify, Write Options, each when its bit is set,
// ended by the first step but Write Options that does not pass.
void runAutoSequence(Session& session);

} // namespace zephlin::cli
