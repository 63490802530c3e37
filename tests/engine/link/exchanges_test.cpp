#include "link/exchanges.h"

#include "link/target_session.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

using sim::Fault;
using testing::part;
using testing::selectSimulator;
using testing::withFault;

// A writer with the part in its socket, set up for a session.
class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start(sim::SimulatorOptions options = {}) {
        writer_ = &selectSimulator(std::move(options));
        ASSERT_TRUE(writerLink().open(kWriterProductId));
        setupStatus_ = commandExchange(targetSetupFrame(chip_, false, FrameTag::fresh()));
    }

    sim::WriterSimulator& writer() { return *writer_; }

    const ChipRecord& chip_ = part(L"Nerel A1(3V)");
    StatusExchange setupStatus_;

private:
    sim::WriterSimulator* writer_ = nullptr;
};

TEST_F(ExchangeTest, TargetSetupPowersThePartAskedFor) {
    ASSERT_TRUE(setupStatus_.hasStatus());
    EXPECT_EQ(setupStatus_.statusWord, 0);
    EXPECT_TRUE(writer().targetPowered());
    ASSERT_TRUE(writer().state().chip.has_value());
    EXPECT_EQ(writer().state().chip->chipIndex, testing::chipIndexOf(L"Nerel A1(3V)"));
}

TEST_F(ExchangeTest, TheFrameCarriesItsFieldsLeastSignificantByteFirst) {
    const CommandFrame frame =
        commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0x100, 0x12345, 0xBEEF);
    const auto bytes = frame.bytes();
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes[0], 0x55);
    EXPECT_EQ(bytes[2], 0x05);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ((std::vector<uint8_t>(bytes.begin() + 4, bytes.end())),
              (std::vector<uint8_t>{0x00, 0x01, 0, 0, 0x45, 0x23, 0x01, 0, 0xEF, 0xBE, 0, 0}));
    EXPECT_NE(commandFrame(command::kWriteMainArea, FrameTag::fresh()).tag(), frame.tag())
        << "a fresh tag each time";
}

TEST_F(ExchangeTest, RejectsAStatusReportWithAnotherTagEvenWithStatusZero) {
    const CommandFrame frame = commandFrame(command::kEraseWholeChip, FrameTag::fresh());
    StatusReport report{}; // status word 0
    report[0] = static_cast<uint8_t>(frame.tag() + 1);
    writer().injectFault(Fault::DropStatus); // the box's own answer never comes
    writer().serveStatusReport(report);
    EXPECT_EQ(commandExchange(frame).outcome, StatusExchange::Outcome::TagMismatch);
}

TEST_F(ExchangeTest, WrongTagFaultIsATagMismatch) {
    start(withFault(Fault::WrongTag));
    EXPECT_EQ(setupStatus_.outcome, StatusExchange::Outcome::TagMismatch);
}

TEST_F(ExchangeTest, DroppedStatusIsNoStatus) {
    start(withFault(Fault::DropStatus));
    EXPECT_EQ(setupStatus_.outcome, StatusExchange::Outcome::NoStatus);
}

TEST_F(ExchangeTest, OnlyStatusZeroIsDone) {
    const std::vector<uint8_t> words(32, 0xFF);
    writer().answerNextStatusWith(2);
    const StatusExchange options = writeExchange(
        commandFrame(command::kWriteOptionWords, FrameTag::fresh(), 0, 32, checksum16(words)),
        words);
    ASSERT_TRUE(options.hasStatus());
    EXPECT_EQ(options.statusWord, 2);
    EXPECT_EQ(judgeStatus(command::kWriteOptionWords, options.statusWord), StatusVerdict::Failure);
    for (const uint16_t code : {command::kWriteOptionWords, command::kWriteOfflineImage,
                                command::kWriteOfflineSettings}) {
        EXPECT_EQ(judgeStatus(code, 0), StatusVerdict::Done);
        EXPECT_EQ(judgeStatus(code, 1), StatusVerdict::ChecksumError);
        EXPECT_EQ(judgeStatus(code, 3), StatusVerdict::Failure);
    }

    const std::vector<uint8_t> image(256, 0x5A);
    writer().answerNextStatusWith(2);
    const StatusExchange main = writeExchange(
        commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0, 256, checksum16(image)), image);
    ASSERT_TRUE(main.hasStatus());
    EXPECT_EQ(judgeStatus(command::kWriteMainArea, main.statusWord), StatusVerdict::Failure);
    EXPECT_EQ(judgeStatus(command::kWriteMainArea, 1), StatusVerdict::ChecksumError);
    EXPECT_EQ(judgeStatus(command::kEraseWholeChip, 0), StatusVerdict::Done);
    EXPECT_EQ(judgeStatus(command::kEraseWholeChip, 9), StatusVerdict::Failure);
}

TEST_F(ExchangeTest, AWriteWhoseSumDiffersFromTheFrameIsAChecksumError) {
    const std::vector<uint8_t> image(300, 0x11);
    const StatusExchange exchange = writeExchange(
        commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0, 300, checksum16(image) + 1),
        image);
    ASSERT_TRUE(exchange.hasStatus());
    EXPECT_EQ(exchange.statusWord, 1);
    EXPECT_EQ(writer().state().chip->mainArea[0], 0xFF) << "nothing programmed";
}

TEST_F(ExchangeTest, WritesAndReadsBackTheMainArea) {
    std::vector<uint8_t> image(5000);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    uint16_t word = 0;
    const StatusExchange written = writeExchange(
        commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0x100, 5000, checksum16(image)),
        image, ResultWord(&word));
    ASSERT_TRUE(written.hasStatus());
    EXPECT_EQ(written.statusWord, 0);
    EXPECT_EQ(word, 100);

    writer().clearRecord();
    std::vector<uint8_t> back(0x100 + 5000);
    EXPECT_EQ(readExchange(commandFrame(command::kReadMainArea, FrameTag::fresh(), 0, 0x1488), back,
                           ResultWord(&word)),
              ReadOutcome::Done);
    EXPECT_EQ(writer().counts().featureReads, 6u) << "1024-byte pieces";
    EXPECT_TRUE(
        std::all_of(back.begin(), back.begin() + 0x100, [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), back.begin() + 0x100));
}

TEST_F(ExchangeTest, AZeroByteReadSendsTheFrameAndFetchesNothing) {
    writer().clearRecord();
    std::vector<uint8_t> nothing;
    EXPECT_EQ(readExchange(commandFrame(command::kReadMainArea, FrameTag::fresh()), nothing),
              ReadOutcome::Done);
    EXPECT_EQ(writer().counts().featureWrites, 1u);
    EXPECT_EQ(writer().counts().featureReads, 0u);
}

TEST_F(ExchangeTest, QueriesReadTheDeviceIdAndTheVersion) {
    const QueryExchange id =
        queryExchange(queryFrame(command::kReadDeviceId, FrameTag::fresh(), 4), 4);
    ASSERT_EQ(id.outcome, ReadOutcome::Done);
    EXPECT_EQ(id.reply, (std::vector<uint8_t>{0x10, 0xC0, 0x05, 0x01}));

    const QueryExchange version =
        queryExchange(queryFrame(command::kReadWriterVersion, FrameTag::fresh(), 8), 8);
    ASSERT_EQ(version.outcome, ReadOutcome::Done);
    EXPECT_EQ(version.reply, (std::vector<uint8_t>{0x02, 0x00, 0x14, 0x80, 0x04, 0x01, 0x00, 1}));
}

TEST_F(ExchangeTest, ErasesTheSecondAreaWithObjectThree) {
    start();
    const ChipRecord& withSecond = part(L"Nerel B4(3V)");
    ASSERT_EQ(commandExchange(targetSetupFrame(withSecond, false, FrameTag::fresh())).statusWord,
              0);
    sim::SimulatedChip& chip = *writer().state().chip;
    std::fill(chip.secondArea.begin(), chip.secondArea.end(), 0x00);

    writer().recordReports(true);
    const StatusExchange erased =
        commandExchange(commandFrame(command::kEraseSecondArea, FrameTag::fresh(), 0, 12, 512));
    ASSERT_TRUE(erased.hasStatus());
    EXPECT_EQ(erased.statusWord, 0);
    EXPECT_EQ(writer().recordedReports()[0].bytes[1 + 3], 3) << "object 3 in byte 3";
    EXPECT_TRUE(std::all_of(chip.secondArea.begin(), chip.secondArea.end(),
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(commandFrame(command::kReadSecondArea, FrameTag::fresh()).bytes()[3], 6);
}

TEST_F(ExchangeTest, EndOfTargetReleasesTheTargetAndClosesTheLink) {
    EXPECT_EQ(endSession(true), link_code::kDone);
    EXPECT_FALSE(writer().targetPowered());
    EXPECT_FALSE(writerLink().isOpen());
}

TEST_F(ExchangeTest, ASilentTargetKeepsTheLinkOpen) {
    start(withFault(Fault::NoResponse));
    EXPECT_EQ(setupStatus_.statusWord, 3);
    EXPECT_EQ(endSession(true), link_code::kNoResponse);
    EXPECT_TRUE(writerLink().isOpen()) << "the next open releases it";
    EXPECT_TRUE(writerLink().open(kWriterProductId));
}

TEST_F(ExchangeTest, EndOfTargetMapsTransportFailures) {
    start(withFault(Fault::DropStatus));
    EXPECT_EQ(endOfTarget(), link_code::kNoStatus);
    start(withFault(Fault::WrongTag));
    EXPECT_EQ(endOfTarget(), link_code::kTagMismatch);
    writer().injectFault(Fault::UnplugAfter, 0);
    EXPECT_EQ(endOfTarget(), link_code::kSendFailure);
    EXPECT_EQ(endSession(false), link_code::kDone);
    EXPECT_FALSE(writerLink().isOpen());
}

TEST_F(ExchangeTest, EndOfTargetTreatsOtherStatusWordsAsFailure) {
    writer().answerNextStatusWith(5);
    EXPECT_EQ(endOfTarget(), link_code::kOtherStatus);
}

} // namespace
} // namespace zephlin
