#include "link/writer_link.h"

#include "link/command_frame.h"

#include "simulated_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

namespace zephlin {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using sim::ReportKind;
using testing::RecordingHost;
using testing::selectSimulator;
using testing::withFault;

std::vector<uint8_t> counting(std::size_t n) {
    std::vector<uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), uint8_t{1});
    return bytes;
}

TEST(WriterLink, OpensTheWriterAndRefusesWhenThereIsNone) {
    selectSimulator();
    EXPECT_TRUE(writerLink().open(kWriterProductId));
    EXPECT_EQ(writerLink().capabilities().inputReportLength, 65u);
    EXPECT_FALSE(writerLink().open(kBootLoaderProductId)) << "the writer is in normal mode";
    EXPECT_FALSE(writerLink().isOpen());

    selectSimulator(withFault(Fault::NoWriter));
    EXPECT_FALSE(writerLink().open(kWriterProductId));
}

TEST(WriterLink, SkipsAnInterfaceThatCannotBeOpened) {
    sim::WriterSimulator& writer = selectSimulator(withFault(Fault::UnopenableInterface));
    ASSERT_EQ(writer.presentInterfaces().size(), 2u);
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    EXPECT_EQ(writerLink().blockSend(commandFrame(command::kEndOfTarget, FrameTag::fresh()).bytes(),
                                     ResultWord()),
              16u);
}

TEST(WriterLink, SendsSixteenBytesInOneZeroFilledReport) {
    sim::WriterSimulator& writer = selectSimulator();
    writer.recordReports(true);
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    const auto bytes = counting(16);
    EXPECT_EQ(writerLink().blockSend(bytes, ResultWord()), 16u);

    ASSERT_EQ(writer.recordedReports().size(), 1u);
    const std::vector<uint8_t>& report = writer.recordedReports()[0].bytes;
    ASSERT_EQ(report.size(), 129u);
    EXPECT_EQ(report[0], 0) << "report ID";
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), report.begin() + 1));
    EXPECT_TRUE(std::all_of(report.begin() + 17, report.end(), [](uint8_t b) { return b == 0; }));
}

TEST(WriterLink, ReportsProgressAfterEveryPiece) {
    sim::WriterSimulator& writer = selectSimulator();
    writer.recordReports(true);
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    uint16_t word = 77;
    std::vector<uint16_t> seen;
    writer.observeReports([&](ReportKind) { seen.push_back(word); });

    EXPECT_EQ(writerLink().blockSend(counting(300), ResultWord(&word)), 300u);
    seen.push_back(word);
    EXPECT_EQ(seen, (std::vector<uint16_t>{0, 42, 85, 100}));

    const auto& reports = writer.recordedReports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2].bytes[44], 44) << "last payload byte of the 44-byte piece";
    EXPECT_EQ(reports[2].bytes[45], 0) << "zero fill after it";
}

TEST(WriterLink, AWatchingThreadSeesRisingProgressThenTheResult) {
    selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    uint16_t word = 0;
    const auto bytes = counting(256 * 1024);
    std::thread worker([&] {
        writerLink().blockSend(bytes, ResultWord(&word));
        ResultWord(&word).finish(ZEPHLIN_RESULT_PASS);
    });
    uint16_t last = 0;
    bool rising = true;
    for (;;) {
        const uint16_t seen = std::atomic_ref<uint16_t>(word).load(std::memory_order_acquire);
        if (seen > ZEPHLIN_PROGRESS_MAX) {
            EXPECT_EQ(seen, ZEPHLIN_RESULT_PASS);
            break;
        }
        rising = rising && seen >= last;
        last = seen;
    }
    worker.join();
    EXPECT_TRUE(rising);
}

TEST(WriterLink, BootModePiecesAreSixtyFiveByteReports) {
    sim::WriterSimulator& writer = selectSimulator();
    writer.recordReports(true);
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    // 130 bytes in 64-byte pieces: 64, 64 and 2; the normal-mode box refuses
    // 65-byte reports, so the first piece already fails.
    EXPECT_EQ(writerLink().blockSend(counting(130), ResultWord(), kBootPiece), 0u);
    ASSERT_EQ(writer.recordedReports().size(), 1u);
    EXPECT_EQ(writer.recordedReports()[0].bytes.size(), 65u);
}

TEST(WriterLink, ReadsThirtySixBytesFromOneReport) {
    sim::WriterSimulator& writer = selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    writer.serveFeatureReply(counting(100));
    std::vector<uint8_t> buffer(36);
    uint16_t word = 55;
    EXPECT_EQ(writerLink().blockRead(buffer, ResultWord(&word)), 36u);
    EXPECT_EQ(buffer, counting(36));
    EXPECT_EQ(word, 100);
    EXPECT_EQ(writer.counts().featureReads, 1u);
}

TEST(WriterLink, RejectsShortFeatureReports) {
    selectSimulator(withFault(Fault::ShortFeatureRead));
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    std::vector<uint8_t> buffer(2048);
    EXPECT_EQ(writerLink().blockRead(buffer, ResultWord()), 0u);
}

TEST(WriterLink, StatusReadGivesUpAfterThreeSecondsWithoutSleeping) {
    sim::WriterSimulator& writer = selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    StatusReport report;
    report.fill(0xFF);
    const auto before = writer.now();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_LT(writerLink().statusRead(report), 64u);
    EXPECT_EQ(writer.now() - before, 3000ms);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    EXPECT_EQ(report[0], 0xFF);
}

TEST(WriterLink, StatusReadShowsTheTwoTransportDiagnostics) {
    RecordingHost host;
    StatusReport report{};
    report[0] = 0x12;

    sim::WriterSimulator& late = selectSimulator(withFault(Fault::LateStatus));
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    late.serveStatusReport(report);
    StatusReport read;
    EXPECT_EQ(writerLink().statusRead(read), 64u) << "a late report still counts";
    EXPECT_EQ(read[0], 0x12);

    selectSimulator(withFault(Fault::StatusReadError));
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    EXPECT_EQ(writerLink().statusRead(read), 0u);

    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, L"Cancel IO fail !");
    EXPECT_EQ(host.messages[1].text, L"GetOverlappedResult fail !");
    EXPECT_EQ(host.messages[0].kind, ZEPHLIN_MESSAGE_PLAIN);
}

TEST(WriterLink, TransfersStopWhenTheWriterIsUnplugged) {
    sim::WriterSimulator& writer = selectSimulator(withFault(Fault::UnplugAfter, 3));
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    uint16_t word = 0;
    EXPECT_EQ(writerLink().blockSend(counting(1000), ResultWord(&word)), 384u);
    EXPECT_EQ(word, 38);
    EXPECT_EQ(writer.mode(), sim::WriterMode::Unplugged);
    EXPECT_FALSE(writerLink().open(kWriterProductId));
}

TEST(WriterLink, ALatencyPerReportReallyPasses) {
    sim::SimulatorOptions options;
    options.reportLatency = 500us;
    sim::WriterSimulator& writer = selectSimulator(options);
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(writerLink().blockSend(counting(1280), ResultWord()), 1280u);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 5ms);
    EXPECT_EQ(writer.now(), 5ms);
}

TEST(WriterLink, TheUsbBackendFindsNoWriterHere) {
    useUsbWriter();
    EXPECT_EQ(selectedSimulator(), nullptr);
    EXPECT_FALSE(writerLink().open(kWriterProductId));
    EXPECT_FALSE(writerLink().open(kBootLoaderProductId));
    EXPECT_FALSE(writerLink().isOpen());
}

} // namespace
} // namespace zephlin
