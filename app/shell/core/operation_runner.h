// The common shape of every command that calls a library export: note the
// tick count, write the log header, prepare the record, call the export
// directly or on a worker, write the outcome and the time trailer, follow up.
// A command supplies one preparation, one export call and its follow-up.
#pragma once

#include "common/text_pair.h"
#include "shell/core/log_grammar.h"

#include "Zephlin_DLL.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace zephlin {

// Milliseconds of a monotonic clock, kept to 32 bits like a tick counter.
uint32_t steadyMilliseconds();
using TickSource = std::function<uint32_t()>;

enum class CallForm {
    Direct, // the export runs on the calling thread; its return value is the result
    Worker  // the export runs on a worker thread; the result word is watched
};

// What a preparation hands to the runner: the record the export takes, or,
// when the command refuses to call its export, the text to log instead.
struct Preparation {
    ZephlinContext* record = nullptr;
    TextPair refusal;

    static Preparation use(ZephlinContext& record) { return {&record, {}}; }
    static Preparation refuse(TextPair text) { return {nullptr, text}; }
};

// One command. The object lives for one run and owns whatever its
// preparation allocates (image copies, a scratch record), so everything is
// released when it goes away.
class Command {
public:
    virtual ~Command() = default;

    // The operation name of the log: the text pair of the command's button.
    virtual TextPair name() const = 0;
    virtual CallForm form() const { return CallForm::Direct; }
    // Device commands and Off-Line Mode show the wait cursor; file commands do not.
    virtual bool showsWaitCursor() const { return false; }
    // Commands that can be steps of the Auto sequence write the step header
    // while the sequence runs.
    virtual bool canBeAutoStep() const { return false; }

    // Fills the record from the window's state.
    virtual Preparation prepare() = 0;
    // Calls the one export. In the worker form it runs on the worker thread
    // and must touch nothing but the record and what it points to.
    virtual uint16_t call(ZephlinContext& record) = 0;
    // Work on the result before the outcome is written (a read shows what it
    // read before "Pass").
    virtual void beforeOutcome(uint16_t /*resultCode*/) {}
    // The follow-up after the time trailer: window updates, further lines.
    virtual void followUp(uint16_t /*resultCode*/) {}
};

// What the runner needs from the window it runs in.
class RunnerHost {
public:
    virtual ~RunnerHost() = default;
    virtual Language language() const = 0;
    virtual void setWaitCursor(bool shown) = 0;
    // Progress bar 1219, range 0 to 100.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgress(int percent) = 0;
};

// How the user-interface thread waits between two readings of the result
// word in the worker form: it keeps the window painted while nothing the user
// does can start another command.
class WaitStrategy {
public:
    virtual ~WaitStrategy() = default;
    // Called once before the first wait and once after the last.
    virtual void begin() {}
    virtual void end() {}
    virtual void waitBriefly() = 0;
};

class OperationRunner {
public:
    OperationRunner(OperationLog& log, RunnerHost& host, WaitStrategy& wait,
                    TickSource ticks = steadyMilliseconds);

    // Runs a command in the handler shape and returns its result code;
    // nothing when the command refused to call its export, or when another
    // command is still running (then nothing at all happens).
    std::optional<uint16_t> run(Command& command);

    bool isBusy() const { return busy_; }

    // The Auto sequence's flag: while it is set, Auto-step commands write the
    // step header instead of a numbered one.
    bool autoRunning() const { return autoRunning_; }
    void setAutoRunning(bool running) { autoRunning_ = running; }

    OperationLog& log() { return log_; }

private:
    uint16_t callOnWorker(Command& command, ZephlinContext& record);

    OperationLog& log_;
    RunnerHost& host_;
    WaitStrategy& wait_;
    TickSource ticks_;
    bool busy_ = false;
    bool autoRunning_ = false;
};

} // namespace zephlin
