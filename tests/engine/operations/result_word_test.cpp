// The result-word protocol as a program uses it: an export on a worker
// thread, the caller polling the word without a lock. Built and run under
// ThreadSanitizer as well (label "worker-thread").
#include "device_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <set>
#include <thread>

namespace zephlin {
namespace {

using namespace std::chrono_literals;
using testing::DeviceTest;
using testing::loadResultWord;
using testing::patternImage;

constexpr const wchar_t* kTwoAreaPart = L"Nerel C6(3V)"; // 64 KB and 1 KB
constexpr std::size_t kTwoAreaMain = 65536;
constexpr const wchar_t* k128KPart = L"Nerel A8(3V)";

sim::SimulatorOptions withLatency(std::chrono::microseconds perReport) {
    sim::SimulatorOptions options;
    options.reportLatency = perReport;
    return options;
}

// What the polling thread saw: every change of the word, in order.
struct Polled {
    std::vector<uint16_t> changes;
    uint16_t returned = 0;
};

class WorkerThreadTest : public DeviceTest {
protected:
    // Starts the export on a worker thread, polls the word until it exceeds
    // 100, runs afterFinish (still before the join, as a program that reads
    // the record's outputs once the word says so) and joins.
    Polled runOnWorker(
        testing::DeviceExport exported, const std::function<void()>& afterFinish = [] {}) {
        Polled polled;
        result_ = 0;
        ZephlinContext* context = &record();
        std::thread worker([&polled, context, exported] { polled.returned = exported(context); });
        uint16_t last = 0;
        polled.changes.push_back(last);
        for (;;) {
            const uint16_t now = loadResultWord(result_);
            if (now != last) {
                polled.changes.push_back(now);
                last = now;
            }
            if (now > ZEPHLIN_PROGRESS_MAX) {
                break;
            }
            std::this_thread::yield();
        }
        afterFinish();
        worker.join();
        EXPECT_EQ(polled.changes.back(), polled.returned) << "the final value is the code";
        EXPECT_EQ(result_, polled.returned);
        return polled;
    }

    static void expectProgressThenCode(const Polled& polled) {
        for (std::size_t i = 0; i + 1 < polled.changes.size(); ++i) {
            EXPECT_LE(polled.changes[i], ZEPHLIN_PROGRESS_MAX) << "value " << i;
        }
        EXPECT_GE(polled.changes.back(), ZEPHLIN_RESULT_PASS);
    }
};

TEST_F(WorkerThreadTest, ThePollerSeesOnlyProgressAndThenTheCode) {
    start(withLatency(20us));
    std::vector<uint8_t> code = patternImage(kTwoAreaMain);
    std::vector<uint8_t> data = patternImage(1024, 5);
    record(kTwoAreaPart).codeSize = 1;
    setData(data);
    for (const testing::DeviceExport exported : {BlankCheck, Program, Verify}) {
        if (exported == Program) {
            setCode(code);
        }
        const Polled polled = runOnWorker(exported);
        expectProgressThenCode(polled);
        EXPECT_EQ(polled.returned, ZEPHLIN_RESULT_PASS);
    }
}

TEST_F(WorkerThreadTest, DumpOutputsAreVisibleOnceTheWordShowsTheCode) {
    start(withLatency(20us));
    std::vector<uint8_t> code = patternImage(kTwoAreaMain, 1);
    record(kTwoAreaPart);
    setCode(code);
    ASSERT_EQ(call(Program), ZEPHLIN_RESULT_PASS);

    std::vector<uint8_t> mainBuffer(code.size());
    std::vector<uint8_t> secondBuffer(1024);
    record(kTwoAreaPart).codeImage = mainBuffer.data();
    record().dataImage = secondBuffer.data();
    uint32_t codeSize = 0;
    bool same = false;
    const Polled polled = runOnWorker(DumpTarget, [&] {
        codeSize = record().codeSize;
        same = mainBuffer == code;
    });
    expectProgressThenCode(polled);
    EXPECT_EQ(polled.returned, ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(codeSize, code.size());
    EXPECT_TRUE(same);
}

TEST_F(WorkerThreadTest, AFailureIsStoredLastToo) {
    start(withLatency(20us));
    std::vector<uint8_t> code = patternImage(8192);
    record(kTwoAreaPart);
    setCode(code);
    record().codeChecksum ^= 0x0100;
    const Polled polled = runOnWorker(Program);
    expectProgressThenCode(polled);
    EXPECT_EQ(polled.returned, ZEPHLIN_RESULT_CHECKSUM_ERROR);
}

// 128 KB go out in 1024 pieces of 128 bytes; the word is stored after each.
TEST_F(WorkerThreadTest, AProgramOf128KilobytesReportsProgressAfterEveryPiece) {
    start(withLatency(1ms)); // about USB full speed
    std::vector<uint8_t> code = patternImage(128 * 1024);
    record(k128KPart);
    setCode(code);

    // What the word holds as the writer takes each piece of the image (feature
    // writes 4 to 1027, after the version query, the setup and the frame) and
    // as it gives the status report that follows.
    constexpr uint64_t kFirstPiece = 4;
    constexpr uint64_t kPieces = 1024;
    std::vector<uint16_t> perPiece;
    writer().observeReports([&](sim::ReportKind kind) {
        const uint64_t writes = writer().counts().featureWrites;
        const bool piece = kind == sim::ReportKind::FeatureWrite && writes >= kFirstPiece &&
                           writes < kFirstPiece + kPieces;
        const bool statusAfterImage =
            kind == sim::ReportKind::InputReport && perPiece.size() == kPieces;
        if (piece || statusAfterImage) {
            perPiece.push_back(loadResultWord(result_));
        }
    });
    const Polled polled = runOnWorker(Program);
    expectProgressThenCode(polled);
    EXPECT_EQ(polled.returned, ZEPHLIN_RESULT_PASS);

    // The word before piece k+1 shows k pieces; after the last piece it is 100.
    ASSERT_EQ(perPiece.size(), 1025u);
    for (std::size_t k = 0; k < perPiece.size(); ++k) {
        EXPECT_EQ(perPiece[k], k * 100 / 1024) << "before piece " << k + 1;
    }
    const std::set<uint16_t> distinctPerPiece(perPiece.begin(), perPiece.end());
    EXPECT_EQ(distinctPerPiece.size(), 101u) << "percent has 101 values";

    const std::set<uint16_t> distinctPolled(polled.changes.begin(), polled.changes.end() - 1);
    std::cout << "[ measured ] 128 KB program with 1 ms per report: 1024 progress stores, "
              << distinctPolled.size() << " distinct values seen by the polling thread\n";
    RecordProperty("distinct_progress_values_polled", static_cast<int>(distinctPolled.size()));
    EXPECT_LE(distinctPolled.size(), 101u);
}

} // namespace
} // namespace zephlin
