#include "shell/core/operation_runner.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace zephlin {
namespace {

// Sets a flag for a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

class WaitCursorScope {
public:
    WaitCursorScope(RunnerHost& host, bool shown) : host_(host), shown_(shown) {
        if (shown_) {
            host_.setWaitCursor(true);
        }
    }
    ~WaitCursorScope() {
        if (shown_) {
            host_.setWaitCursor(false);
        }
    }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    RunnerHost& host_;
    bool shown_;
};

// A record without a result word gets one for the length of the call.
class ResultWordScope {
public:
    explicit ResultWordScope(ZephlinContext& record) : record_(record) {
        if (record_.result == nullptr) {
            record_.result = &fallback_;
            substituted_ = true;
        }
    }
    ~ResultWordScope() {
        if (substituted_) {
            record_.result = nullptr;
        }
    }
    ResultWordScope(const ResultWordScope&) = delete;
    ResultWordScope& operator=(const ResultWordScope&) = delete;

private:
    ZephlinContext& record_;
    uint16_t fallback_ = 0;
    bool substituted_ = false;
};

} // namespace

uint32_t steadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

OperationRunner::OperationRunner(OperationLog& log, RunnerHost& host, WaitStrategy& wait,
                                 TickSource ticks)
    : log_(log), host_(host), wait_(wait), ticks_(std::move(ticks)) {}

std::optional<uint16_t> OperationRunner::run(Command& command) {
    if (busy_) {
        return std::nullopt;
    }
    FlagScope busy(busy_);
    WaitCursorScope cursor(host_, command.showsWaitCursor());

    const uint32_t start = ticks_();
    const TextPair name = command.name();
    const Language language = host_.language();
    if (autoRunning_ && command.canBeAutoStep()) {
        log_.writeStepHeader(name.pick(language));
    } else {
        log_.writeNumberedHeader(name.pick(language));
    }

    const Preparation prepared = command.prepare();
    if (prepared.record == nullptr) {
        log_.append(prepared.refusal.pick(language));
        log_.writeTimeTrailer(elapsedTicks(start, ticks_()));
        return std::nullopt;
    }

    ResultWordScope resultWord(*prepared.record);
    const uint16_t code = command.form() == CallForm::Worker
                              ? callOnWorker(command, *prepared.record)
                              : command.call(*prepared.record);

    command.beforeOutcome(code);
    log_.writeOutcome(code, language);
    log_.writeTimeTrailer(elapsedTicks(start, ticks_()));
    command.followUp(code);
    return code;
}

uint16_t OperationRunner::callOnWorker(Command& command, ZephlinContext& record) {
    host_.setProgressVisible(true);
    std::atomic_ref<uint16_t> word(*record.result);
    word.store(0);

    std::atomic<bool> finished{false};
    uint16_t returned = ZEPHLIN_RESULT_FAIL;
    std::thread worker([&] {
        try {
            returned = command.call(record);
        } catch (...) {
            returned = ZEPHLIN_RESULT_FAIL;
        }
        finished.store(true, std::memory_order_release);
    });

    // The export writes its result code into the word as its last action; a
    // worker that ends without doing so must not leave the window waiting.
    wait_.begin();
    int shown = -1;
    for (;;) {
        const uint16_t value = word.load();
        if (value > ZEPHLIN_PROGRESS_MAX || finished.load(std::memory_order_acquire)) {
            break;
        }
        if (value != 0 && value != shown) {
            host_.setProgress(value);
            shown = value;
        }
        wait_.waitBriefly();
    }
    wait_.end();
    worker.join();

    const uint16_t value = word.load();
    host_.setProgressVisible(false);
    return value > ZEPHLIN_PROGRESS_MAX ? value : returned;
}

} // namespace zephlin
