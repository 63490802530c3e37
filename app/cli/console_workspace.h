// The workspace of the command-line tool: the buffers in memory, the option
// panel's notifications handled once each action is over, the log on
// standard output and the runner's progress bar on standard error.
#pragma once

#include "buffer/core/area_storage.h"
#include "cli/console_output.h"
#include "shell/core/notification_backlog.h"
#include "shell/core/workspace.h"

#include <cstdio>

namespace zephlin::cli {

class ConsoleWorkspace {
public:
    explicit ConsoleWorkspace(Language language);
    ConsoleWorkspace(const ConsoleWorkspace&) = delete;
    ConsoleWorkspace& operator=(const ConsoleWorkspace&) = delete;

    Workspace& workspace() { return workspace_; }

private:
    MemoryAreaStorage mainArea_;
    MemoryAreaStorage secondArea_;
    NotificationBacklog notifications_;
    ConsoleLog log_{stdout};
    ConsoleHost host_;
    SleepingWait wait_;
    Workspace workspace_;
};

} // namespace zephlin::cli
