// The device commands of the main window as runner commands over a workspace:
// what each puts into the operation context record, which export it calls
// and in which form, and what it does with the result.
#pragma once

#include "shell/core/operation_runner.h"
#include "shell/core/workspace.h"

#include "Zephlin_DLL.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zephlin {

// The areas a command acts on: outside the Auto sequence the chosen one(s)
// (the window's selected tab), inside it both.
struct Areas {
    bool main = true;
    bool second = false;
};

// The area of a selected buffer tab: tab 0 the main area, tab 1 the second.
Areas areasOfPage(int page);

// Check ID, Erase, Blank Check, Program, Verify, WholeChip Erase, Write
// Options, in the form the device-command table gives them.
std::unique_ptr<Command> makeCheckId(Workspace& workspace);
std::unique_ptr<Command> makeErase(Workspace& workspace, Areas areas);
std::unique_ptr<Command> makeBlankCheck(Workspace& workspace, Areas areas);
std::unique_ptr<Command> makeProgram(Workspace& workspace, Areas areas);
std::unique_ptr<Command> makeVerify(Workspace& workspace, Areas areas);
std::unique_ptr<Command> makeWholeChipErase(Workspace& workspace);
std::unique_ptr<Command> makeWriteOptions(Workspace& workspace);

// Reads on a scratch record, so that the workspace's option settings are
// never overwritten. Each hands what it read to its consumer on 101 only,
// before "Pass" is written.
using OptionsRead = std::function<void(const ZephlinContext& scratch)>;
std::unique_ptr<Command> makeReadOptions(Workspace& workspace, OptionsRead shown);
// Read Chip Checksum writes the checksum line after the entry.
std::unique_ptr<Command> makeReadChecksum(Workspace& workspace);
struct DumpResult {
    std::vector<uint8_t> main;
    std::vector<uint8_t> second;
};
using DumpRead = std::function<void(const ZephlinContext& scratch, DumpResult& areas)>;
std::unique_ptr<Command> makeDumpTarget(Workspace& workspace, DumpRead read);

} // namespace zephlin
