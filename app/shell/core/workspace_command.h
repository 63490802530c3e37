// The two kinds of command over a workspace: one that works on its main
// record, and one on a fresh record of its own, so that a read never
// overwrites the settings the workspace holds.
#pragma once

#include "shell/core/operation_runner.h"
#include "shell/core/workspace.h"

#include "Zephlin_DLL.h"

#include <cstdint>
#include <memory>

namespace zephlin {

class WorkspaceCommand : public Command {
public:
    explicit WorkspaceCommand(Workspace& workspace) : workspace_(workspace) {}

protected:
    Workspace& workspace_;
};

// The scratch record carries only the workspace's chip index and its own
// result word; both go away with the command.
class ScratchCommand : public WorkspaceCommand {
public:
    explicit ScratchCommand(Workspace& workspace);
    bool showsWaitCursor() const override { return true; }
    Preparation prepare() override { return Preparation::use(*scratch_); }
    const ZephlinContext& scratch() const { return *scratch_; }

protected:
    std::unique_ptr<ZephlinContext> scratch_;
    uint16_t resultWord_ = 0;
};

} // namespace zephlin
