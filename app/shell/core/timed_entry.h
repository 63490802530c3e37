// A log entry of a command that calls no export (Load File of a code file,
// Save Buffer, the Engineer sheets' Write and Read): the numbered header when it starts, the
// outcome and the time trailer when it ends, in the grammar of every other entry.
#pragma once

#include "common/text_pair.h"
#include "shell/core/workspace.h"

#include <cstdint>

namespace zephlin {

class TimedEntry {
public:
    // buttonId names the operation by its button's text.
    TimedEntry(Workspace& workspace, int buttonId);
    TimedEntry(Workspace& workspace, TextPair operationName);

    // Ends the entry with a text of the command's own.
    void finish(TextPair outcome);
    // Ends the entry with the outcome of a result code, which the workspace notes.
    void finish(uint16_t resultCode);

private:
    Workspace& workspace_;
    uint32_t start_;
};

} // namespace zephlin
