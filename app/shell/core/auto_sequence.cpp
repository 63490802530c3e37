#include "shell/core/auto_sequence.h"

#include "shell/core/device_commands.h"

#include <array>

namespace zephlin {

void runAutoSequence(Workspace& workspace) {
    struct Step {
        uint16_t flag;
        std::unique_ptr<Command> (*make)(Workspace&);
    };
    const std::array<Step, 6> steps{
        Step{ZEPHLIN_STEP_WHOLE_CHIP_ERASE, makeWholeChipErase},
        Step{ZEPHLIN_STEP_ERASE,
             [](Workspace& w) {
                 return makeErase(w, {true, true});
             }},
        Step{ZEPHLIN_STEP_BLANK_CHECK,
             [](Workspace& w) {
                 return makeBlankCheck(w, {true, true});
             }},
        Step{ZEPHLIN_STEP_PROGRAM,
             [](Workspace& w) {
                 return makeProgram(w, {true, true});
             }},
        Step{ZEPHLIN_STEP_VERIFY,
             [](Workspace& w) {
                 return makeVerify(w, {true, true});
             }},
        Step{ZEPHLIN_STEP_WRITE_OPTIONS, makeWriteOptions},
    };
    ZephlinContext& record = workspace.record();
    workspace.runner().setAutoRunning(true);
    workspace.log().writeAutoStart(workspace.language());
    for (const Step& step : steps) {
        if ((record.stepFlags & step.flag) == 0) {
            continue;
        }
        record.stepFlags |= ZEPHLIN_STEP_IN_SEQUENCE;
        const auto command = step.make(workspace);
        const uint16_t code = workspace.run(*command);
        record.stepFlags &= static_cast<uint16_t>(~ZEPHLIN_STEP_IN_SEQUENCE);
        if (code != ZEPHLIN_RESULT_PASS && step.flag != ZEPHLIN_STEP_WRITE_OPTIONS) {
            break;
        }
    }
    workspace.log().writeAutoEnd(workspace.language());
    workspace.runner().setAutoRunning(false);
}

} // namespace zephlin
