#include "shell/core/operation_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace zephlin {
namespace {

// Everything the window would show, in the order it happens.
class Recorder : public LogSink, public RunnerHost {
public:
    void append(std::wstring_view text) override {
        log += text;
        events.push_back(L"log:" + std::wstring(text));
    }
    void clear() override { log.clear(); }
    Language language() const override { return language_; }
    void setWaitCursor(bool shown) override {
        events.push_back(shown ? L"cursor on" : L"cursor off");
    }
    void setProgressVisible(bool visible) override {
        events.push_back(visible ? L"bar shown" : L"bar hidden");
    }
    void setProgress(int percent) override {
        events.push_back(L"bar " + std::to_wstring(percent));
        lastProgress.store(percent);
    }

    std::wstring log;
    std::vector<std::wstring> events;
    Language language_ = Language::English;
    std::atomic<int> lastProgress{0};
};

class NoWait : public WaitStrategy {
public:
    void waitBriefly() override { std::this_thread::yield(); }
};

// A tick counter that advances by a fixed step at every reading.
TickSource ticksFrom(uint32_t start, uint32_t step) {
    return [tick = start, step]() mutable {
        const uint32_t now = tick;
        tick += step;
        return now;
    };
}

class FakeCommand : public Command {
public:
    explicit FakeCommand(ZephlinContext& record) : record_(record) {}
    TextPair name() const override { return {L"Erase", L"擦除"}; }
    CallForm form() const override { return form_; }
    bool showsWaitCursor() const override { return waitCursor_; }
    bool canBeAutoStep() const override { return true; }
    Preparation prepare() override {
        ++prepared;
        return refuse_ ? Preparation::refuse({L"Buffer is empty", L"缓冲区是空的"})
                       : Preparation::use(record_);
    }
    uint16_t call(ZephlinContext& record) override {
        calledWith = &record;
        std::atomic_ref<uint16_t>(*record.result).store(code_);
        return code_;
    }
    void followUp(uint16_t code) override { followedUpWith = code; }

    ZephlinContext& record_;
    CallForm form_ = CallForm::Direct;
    bool waitCursor_ = false;
    bool refuse_ = false;
    uint16_t code_ = ZEPHLIN_RESULT_PASS;
    int prepared = 0;
    ZephlinContext* calledWith = nullptr;
    std::optional<uint16_t> followedUpWith;
};

struct RunnerTest : ::testing::Test {
    Recorder recorder;
    OperationLog log{recorder};
    NoWait wait;
    uint16_t resultWord = 0;
    ZephlinContext record{};
    RunnerTest() { record.result = &resultWord; }
};

TEST_F(RunnerTest, DirectFormWritesOneCompleteEntryAndFollowsUp) {
    OperationRunner runner(log, recorder, wait, ticksFrom(5000, 1234));
    FakeCommand erase(record);
    erase.code_ = ZEPHLIN_RESULT_SEND_ERROR;
    EXPECT_EQ(runner.run(erase), ZEPHLIN_RESULT_SEND_ERROR);
    EXPECT_EQ(recorder.log, L"000 - Erase =>HID W/R error   [1.234\"]\r\n");
    EXPECT_EQ(erase.calledWith, &record);
    EXPECT_EQ(erase.followedUpWith, ZEPHLIN_RESULT_SEND_ERROR);
    EXPECT_FALSE(runner.isBusy());
}

TEST_F(RunnerTest, WaitCursorSpansTheWholeEntryForCommandsThatShowIt) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 2));
    FakeCommand erase(record);
    erase.waitCursor_ = true;
    runner.run(erase);
    ASSERT_GE(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events.front(), L"cursor on");
    EXPECT_EQ(recorder.events.back(), L"cursor off");
    EXPECT_EQ(recorder.log, L"000 - Erase =>Pass   [0.002\"]\r\n");
}

TEST_F(RunnerTest, AutoStepsWriteTheStepHeaderOnlyWhileTheSequenceRuns) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 0));
    FakeCommand erase(record);
    runner.setAutoRunning(true);
    runner.run(erase);
    runner.setAutoRunning(false);
    runner.run(erase);
    EXPECT_EQ(recorder.log,
              L"       Erase =>Pass   [0.000\"]\r\n000 - Erase =>Pass   [0.000\"]\r\n");
}

TEST_F(RunnerTest, ARefusalLogsItsTextAndTrailerWithoutCallingTheExport) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 7));
    FakeCommand save(record);
    save.refuse_ = true;
    recorder.language_ = Language::Chinese;
    EXPECT_EQ(runner.run(save), std::nullopt);
    EXPECT_EQ(save.calledWith, nullptr);
    EXPECT_FALSE(save.followedUpWith);
    EXPECT_EQ(recorder.log, L"000 - 擦除 =>缓冲区是空的   [0.007\"]\r\n");
}

TEST_F(RunnerTest, ARecordWithoutResultWordGetsOneForTheCall) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 0));
    FakeCommand erase(record);
    record.result = nullptr;
    erase.form_ = CallForm::Worker;
    EXPECT_EQ(runner.run(erase), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(record.result, nullptr);
}

// An export that reports progress and waits until the window has shown each
// value before it reports the next; while the window waits, the test tries
// to start another command.
class ProgressingCommand : public FakeCommand {
public:
    ProgressingCommand(ZephlinContext& record, Recorder& recorder, std::vector<uint16_t> values)
        : FakeCommand(record), recorder_(recorder), values_(std::move(values)) {
        form_ = CallForm::Worker;
    }
    uint16_t call(ZephlinContext& record) override {
        std::atomic_ref<uint16_t> word(*record.result);
        startedAt = word.load();
        for (const uint16_t value : values_) {
            word.store(value);
            if (value > ZEPHLIN_PROGRESS_MAX) {
                return value;
            }
            while (value != 0 && recorder_.lastProgress.load() != value) {
                std::this_thread::yield();
            }
        }
        return ZEPHLIN_RESULT_FAIL;
    }
    Recorder& recorder_;
    std::vector<uint16_t> values_;
    std::atomic<uint16_t> startedAt{0xFFFF};
};

class TryingWait : public WaitStrategy {
public:
    void begin() override { ++begun; }
    void end() override { ++ended; }
    void waitBriefly() override {
        ++waits;
        if (runner != nullptr && other != nullptr && runner->run(*other)) {
            ++startedWhileBusy;
        }
        std::this_thread::yield();
    }
    OperationRunner* runner = nullptr;
    Command* other = nullptr;
    int begun = 0, ended = 0, waits = 0, startedWhileBusy = 0;
};

TEST_F(RunnerTest, WorkerFormFollowsTheResultWordAndBlocksOtherCommands) {
    TryingWait trying;
    OperationRunner runner(log, recorder, trying, ticksFrom(0, 3));
    resultWord = 0xBEEF;
    ProgressingCommand program(record, recorder, {0, 1, 40, 100, ZEPHLIN_RESULT_PASS});
    FakeCommand other(record);
    trying.runner = &runner;
    trying.other = &other;

    EXPECT_EQ(runner.run(program), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(program.startedAt.load(), 0u); // the word is 0 when the worker starts
    EXPECT_EQ(trying.startedWhileBusy, 0);
    EXPECT_EQ(other.prepared, 0);
    EXPECT_GT(trying.waits, 0);
    EXPECT_EQ(trying.begun, 1);
    EXPECT_EQ(trying.ended, 1);

    const std::vector<std::wstring> expected{L"log:000 - Erase =>",
                                             L"bar shown",
                                             L"bar 1",
                                             L"bar 40",
                                             L"bar 100",
                                             L"bar hidden",
                                             L"log:Pass",
                                             L"log:   [0.003\"]\r\n"};
    EXPECT_EQ(recorder.events, expected);
}

TEST_F(RunnerTest, WorkerFormShowsFailureCodesThroughTheMessageTable) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 0));
    ProgressingCommand verify(record, recorder, {25, ZEPHLIN_RESULT_FAIL});
    EXPECT_EQ(runner.run(verify), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(recorder.log, L"000 - Erase =>Fail   [0.000\"]\r\n");
}

TEST_F(RunnerTest, AWorkerThatEndsWithoutAResultCodeDoesNotHangTheWindow) {
    OperationRunner runner(log, recorder, wait, ticksFrom(0, 0));
    ProgressingCommand broken(record, recorder, {0});
    EXPECT_EQ(runner.run(broken), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(recorder.log, L"000 - Erase =>Fail   [0.000\"]\r\n");
}

} // namespace
} // namespace zephlin
