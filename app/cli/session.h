// What the main window holds, without the window: the operation context
// record with its result word, the selected part, the two area buffers with
// their load records, the option panel's state, the log and the runner. Every
// zephlin command works on one session and reports through its log.
#pragma once

#include "code_buffer.h"
#include "console_output.h"
#include "operation_runner.h"
#include "option_panel_model.h"
#include "part_catalogue.h"

#include "Zephlin_DLL.h"

#include <deque>
#include <memory>
#include <string>

namespace zephlin::cli {

// The option panel's notifications, handled in posting order once the
// action that posted them is over, as the window's event loop does.
class NotificationBacklog : public NotificationQueue {
public:
    void post(const OptionNotification& notification) override { queue_.push_back(notification); }
    void deliverTo(OptionPanelModel& panel);

private:
    std::deque<OptionNotification> queue_;
};

class Session {
public:
    explicit Session(Language language);

    const PartCatalogue& catalogue() const { return catalogue_; }
    bool hasPart() const { return part_ != nullptr; }
    const ZephlinBodyInfo& part() const { return *part_; }

    // Select part: option panel rebuilt to the part's defaults, buffers
    // emptied, the record's per-part fields reset.
    void selectPart(int32_t chipIndex);
    // Restore part after a project load: selects the record's chip index but
    // keeps the record's fields as the project set them, and shows its
    // option settings in the panel.
    void restorePart();

    ZephlinContext& record() { return *record_; }
    CodeBuffer& buffer() { return buffer_; }
    OptionPanelModel& panel() { return panel_; }
    void settlePanel() { backlog_.deliverTo(panel_); }

    OperationRunner& runner() { return runner_; }
    OperationLog& log() { return log_; }
    Language language() const { return language_; }

    // Runs a command through the runner and notes its result; returns it
    // (a refusal counts as 102).
    uint16_t run(Command& command);
    // Notes the result of an operation that reported without the runner.
    void note(uint16_t resultCode);
    // The exit status: 0 when everything passed, else the first failing
    // result code minus 100.
    int exitStatus() const;

private:
    Language language_;
    PartCatalogue catalogue_;
    const ZephlinBodyInfo* part_ = nullptr;
    std::unique_ptr<ZephlinContext> record_;
    uint16_t resultWord_ = 0;
    MemoryAreaStorage mainStorage_;
    MemoryAreaStorage secondStorage_;
    CodeBuffer buffer_{mainStorage_, secondStorage_};
    NotificationBacklog backlog_;
    OptionPanelModel panel_;
    ConsoleLog console_{stdout};
    ConsoleHost host_;
    SleepingWait wait_;
    OperationLog log_{console_};
    OperationRunner runner_;
    uint16_t firstFailure_ = 0;
};

} // namespace zephlin::cli
