// Read Info: what the writer holds for Off-Line Mode, read into a private
// record so that reading the writer never touches the workspace's settings.
#pragma once

#include "shell/core/workspace.h"
#include "shell/core/workspace_command.h"

namespace zephlin {

class ReadInfoCommand : public ScratchCommand {
public:
    using ScratchCommand::ScratchCommand;
    TextPair name() const override;
    uint16_t call(ZephlinContext& record) override { return ReadOffLineModeInfo(&record); }
};

} // namespace zephlin
