#include "shell/core/workspace_command.h"

namespace zephlin {

ScratchCommand::ScratchCommand(Workspace& workspace)
    : WorkspaceCommand(workspace), scratch_(std::make_unique<ZephlinContext>()) {
    scratch_->chipIndex = workspace.record().chipIndex;
    scratch_->result = &resultWord_;
}

} // namespace zephlin
