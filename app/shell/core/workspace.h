// What the main window holds, shared by the window and the command-line tool:
// the operation context record with its result word, the catalogue and the
// selected part, the two area buffers with their load records, the option
// panel's state, the log and the runner. Every command works on a workspace;
// the window renders it and forwards clicks, the console prints its log.
#pragma once

#include "buffer/core/area_storage.h"
#include "buffer/core/code_buffer.h"
#include "shell/core/log_grammar.h"
#include "shell/core/operation_runner.h"
#include "shell/core/option_panel_model.h"
#include "shell/core/part_catalogue.h"

#include "Zephlin_DLL.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace zephlin {

// What the front end supplies: where the buffers' bytes live (the hex editors,
// or memory), where the panel's notifications wait, where the log goes, and
// the runner's window (wait cursor, progress bar, the wait of the worker form).
struct WorkspaceFront {
    AreaStorage& mainArea;
    AreaStorage& secondArea;
    NotificationQueue& notifications;
    LogSink& log;
    RunnerHost& runnerHost;
    WaitStrategy& wait;
};

class Workspace {
public:
    // The catalogue comes from the library's GetBodyInfo.
    Workspace(const WorkspaceFront& front, Language language);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const PartCatalogue& catalogue() const { return catalogue_; }
    bool hasPart() const { return part_ != nullptr; }
    const ZephlinBodyInfo& part() const { return *part_; }

    // Select part: the option panel rebuilt to the part's defaults and its Now
    // controls emptied, both buffers emptied with their load records, the
    // record's per-part fields reset. An index the catalogue does not hold
    // changes nothing.
    void selectPart(int32_t chipIndex);
    // Restore part: selects the part of the record's chip index but keeps
    // every field of the record as it was (start-up, after a project load).
    void restorePart();
    // Restore part after a project load: as restorePart, then the record's
    // option settings shown in the panel's Set controls.
    void restoreProjectPart();
    // Called after every part selection, so that a view can show the part.
    void setPartObserver(std::function<void()> observer) { partObserver_ = std::move(observer); }

    ZephlinContext& record() { return *record_; }
    const ZephlinContext& record() const { return *record_; }
    CodeBuffer& buffer() { return buffer_; }
    const CodeBuffer& buffer() const { return buffer_; }
    OptionPanelModel& panel() { return panel_; }
    // Handles the panel's queued notifications where no event loop does.
    void settlePanel() { notifications_.deliverPending(); }

    OperationRunner& runner() { return runner_; }
    OperationLog& log() { return log_; }
    Language language() const { return language_; }
    void setLanguage(Language language) { language_ = language; }

    // Runs a command through the runner and notes its result; returns it. A
    // command that did not call its export (refused, or another one still
    // running) counts as 102 "Fail".
    uint16_t run(Command& command);
    // Notes the result of an operation that reported without the runner.
    void note(uint16_t resultCode);
    // The first result other than 101 since the workspace was made; 0 when
    // every operation passed.
    uint16_t firstFailure() const { return firstFailure_; }

private:
    NotificationQueue& notifications_;
    PartCatalogue catalogue_;
    const ZephlinBodyInfo* part_ = nullptr;
    // Held apart so that its address, and the result word's, stay fixed for
    // a worker that reads it.
    std::unique_ptr<ZephlinContext> record_;
    std::unique_ptr<uint16_t> resultWord_;
    CodeBuffer buffer_;
    OptionPanelModel panel_;
    OperationLog log_;
    OperationRunner runner_;
    Language language_;
    std::function<void()> partObserver_;
    uint16_t firstFailure_ = 0;
};

} // namespace zephlin
