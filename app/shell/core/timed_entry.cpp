#include "shell/core/timed_entry.h"

#include "shell/core/message_table.h"
#include "shell/core/ui_texts.h"

namespace zephlin {

TimedEntry::TimedEntry(Workspace& workspace, int buttonId)
    : TimedEntry(workspace, controlText(buttonId)) {}

TimedEntry::TimedEntry(Workspace& workspace, TextPair operationName)
    : workspace_(workspace), start_(steadyMilliseconds()) {
    workspace_.log().writeNumberedHeader(operationName.pick(workspace_.language()));
}

void TimedEntry::finish(TextPair outcome) {
    workspace_.log().append(outcome.pick(workspace_.language()));
    workspace_.log().writeTimeTrailer(elapsedTicks(start_, steadyMilliseconds()));
}

void TimedEntry::finish(uint16_t resultCode) {
    finish(outcomeText(resultCode));
    workspace_.note(resultCode);
}

} // namespace zephlin
