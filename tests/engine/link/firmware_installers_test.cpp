#include "link/firmware_installers.h"

#include "link/exchanges.h"
#include "link/writer_firmware.h"
#include "resources/embedded_images.h"
#include "simulated_writer.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zephlin {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using sim::RecordedReport;
using sim::ReportKind;
using testing::RecordingHost;
using testing::selectSimulator;
using testing::withFault;

std::span<const uint8_t> firmwareImage(uint32_t id) {
    return *resources::findImage(resources::ImageKind::Firmware, id);
}

std::vector<uint8_t> writerVersion() {
    return queryExchange(queryFrame(command::kReadWriterVersion, FrameTag::fresh(), 8), 8).reply;
}

// The boot-mode feature reports the installer sent.
std::vector<RecordedReport> bootWrites(const sim::WriterSimulator& writer) {
    std::vector<RecordedReport> writes;
    for (const RecordedReport& report : writer.recordedReports()) {
        if (report.kind == ReportKind::FeatureWrite && report.productId == kBootLoaderProductId) {
            writes.push_back(report);
        }
    }
    return writes;
}

class FirmwareInstallerTest : public ::testing::Test {
protected:
    void start(sim::SimulatorOptions options = {}) {
        writer_ = &selectSimulator(std::move(options));
        writer_->recordReports(true);
        ASSERT_TRUE(writerLink().open(kWriterProductId));
    }
    sim::WriterSimulator& writer() { return *writer_; }

    // What the session start does after an update: pause, then reopen.
    bool reopenAfterUpdate() {
        writerLink().wait(2000ms);
        return writerLink().open(kWriterProductId);
    }

    RecordingHost host_;

private:
    sim::WriterSimulator* writer_ = nullptr;
};

TEST_F(FirmwareInstallerTest, InstallsTheCortexM0ImageInFiveHundredNinePieces) {
    start(withFault(Fault::FirmwareMismatch));
    EXPECT_EQ(updateWriterFirmware(1), InstallOutcome::Success);

    const auto image = firmwareImage(3015);
    const auto writes = bootWrites(writer());
    // Header, 509 image pieces, check request, finish.
    ASSERT_EQ(writes.size(), 512u);
    EXPECT_EQ(writes.front().bytes[1], 0x33);
    const std::vector<uint8_t>& last = writes[509].bytes;
    ASSERT_EQ(last.size(), 65u);
    EXPECT_TRUE(std::equal(image.end() - 17, image.end(), last.begin() + 1)) << "17 bytes";
    EXPECT_TRUE(std::all_of(last.begin() + 18, last.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(writes[510].bytes[1], 0x22);
    EXPECT_EQ(writes[511].bytes[1], 0x44);
    EXPECT_TRUE(host_.messages.empty());

    ASSERT_TRUE(reopenAfterUpdate());
    EXPECT_EQ(loadLe32(writerVersion(), 0), 0x80140002u);
}

TEST_F(FirmwareInstallerTest, WaitsForTheBootLoaderBeforeTheImage) {
    start();
    const auto before = writer().now();
    ASSERT_EQ(updateWriterFirmware(1), InstallOutcome::Success);
    // 1200 ms until boot mode appears (two 1000 ms retries), 30 * 64 ms of
    // erase time, 1000 ms before the restart.
    EXPECT_EQ(writer().now() - before, 2000ms + 1920ms + 1000ms);
}

TEST_F(FirmwareInstallerTest, HeaderOfTheCortexM3ImageCarriesItsLengthAndSum) {
    start();
    ASSERT_EQ(updateWriterFirmware(3), InstallOutcome::Success);
    const auto image = firmwareImage(3014);
    ASSERT_EQ(image.size(), 17138u);
    const std::vector<uint8_t> header = bootWrites(writer()).front().bytes;
    EXPECT_EQ((std::vector<uint8_t>(header.begin() + 5, header.begin() + 8)),
              (std::vector<uint8_t>{0x00, 0x42, 0xF2}));
    const uint16_t sum = checksum16(image);
    EXPECT_EQ(header[8], sum >> 8);
    EXPECT_EQ(header[9], sum & 0xFF);

    ASSERT_TRUE(reopenAfterUpdate());
    const auto version = writerVersion();
    EXPECT_EQ(loadLe32(version, 0), 0x80080000u);
    EXPECT_EQ(version[7], 3) << "the Cortex-M3 firmware stays installed";
}

TEST_F(FirmwareInstallerTest, ASwappedChecksumFailsWithTheStopMessage) {
    start(withFault(Fault::SwappedBootChecksum));
    EXPECT_EQ(updateWriterFirmware(4), InstallOutcome::ChecksumMismatch);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text,
              L"Update FW has a serious error,\n Please remove HW immediately !");
    EXPECT_EQ(host_.messages[0].kind, ZEPHLIN_MESSAGE_STOP);
}

TEST_F(FirmwareInstallerTest, GivesUpWhenBootModeNeverAppears) {
    start(withFault(Fault::NoBootMode));
    const auto before = writer().now();
    EXPECT_EQ(updateWriterFirmware(1), InstallOutcome::NoBootMode);
    EXPECT_EQ(writer().now() - before, 30000ms) << "31 tries, 1000 ms apart";
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FirmwareInstallerTest, AnUnknownCoreHasNoImageAndLeavesTheWriterAlone) {
    start();
    EXPECT_EQ(updateWriterFirmware(255), InstallOutcome::ImageMissing);
    EXPECT_EQ(writer().counts().featureWrites, 0u);
}

TEST(FirmwareImages, StandInsAreNeverOfferedToARealWriter) {
    if (resources::isMakersImage(resources::ImageKind::Firmware, 3015)) {
        GTEST_SKIP() << "built with the maker's images";
    }
    useUsbWriter();
    EXPECT_FALSE(installableFirmwareImage(3015).has_value());
    EXPECT_FALSE(installableFirmwareImage(kSubMcuImageId).has_value());
    EXPECT_EQ(updateSubMcuFirmware(), InstallOutcome::ImageMissing);
    selectSimulator();
    EXPECT_TRUE(installableFirmwareImage(3015).has_value());
}

TEST_F(FirmwareInstallerTest, AWriterUnpluggedDuringTheImageShowsTheStopMessage) {
    // The enter frame, then the header and 99 image pieces.
    start(withFault(Fault::UnplugAfter, 101));
    EXPECT_EQ(updateWriterFirmware(1), InstallOutcome::SendFailure);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].kind, ZEPHLIN_MESSAGE_STOP);
}

TEST_F(FirmwareInstallerTest, AnEnterFrameThatCannotBeSentNeedsNoMessage) {
    start(withFault(Fault::UnplugAfter, 0));
    EXPECT_EQ(updateWriterFirmware(1), InstallOutcome::SendFailure);
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FirmwareInstallerTest, SubMcuImageGoesInThirtySevenPacketsEachAnswered) {
    start(withFault(Fault::SubMcuMismatch));
    EXPECT_EQ(loadLe16(writerVersion(), 4), 0x0103);
    writer().clearRecord();
    EXPECT_EQ(updateSubMcuFirmware(), InstallOutcome::Success);

    std::vector<uint32_t> dataCounts;
    std::size_t queriesAfterData = 0;
    bool lastWasData = false;
    for (const RecordedReport& report : writer().recordedReports()) {
        if (report.kind != ReportKind::FeatureWrite) {
            continue;
        }
        const uint16_t code = loadLe16(report.bytes, 1 + 2);
        const uint32_t count = loadLe32(report.bytes, 1 + 8);
        if (lastWasData && code == command::kReadSubMcuReply) {
            ++queriesAfterData;
        }
        const bool data = code == command::kSubMcuPacket && report.bytes[1 + 16] != 0x5A;
        lastWasData = data;
        if (data) {
            dataCounts.push_back(count);
        }
    }
    ASSERT_EQ(dataCounts.size(), 37u);
    EXPECT_TRUE(
        std::all_of(dataCounts.begin(), dataCounts.end() - 1, [](uint32_t n) { return n == 112; }));
    EXPECT_EQ(dataCounts.back(), 64u);
    EXPECT_EQ(queriesAfterData, 37u);
    EXPECT_EQ(loadLe16(writerVersion(), 4), kExpectedSubMcuVersion);
    EXPECT_TRUE(writerLink().isOpen());
}

TEST_F(FirmwareInstallerTest, SubMcuUpdateStopsAtAnUnexpectedReply) {
    start();
    writer().serveFeatureReply({0xA5, 0x5A, 0x07});
    EXPECT_EQ(updateSubMcuFirmware(), InstallOutcome::UnexpectedReply);
}

TEST_F(FirmwareInstallerTest, SubMcuUpdateReportsAReplyThatCannotBeFetched) {
    start(withFault(Fault::ShortFeatureRead));
    EXPECT_EQ(updateSubMcuFirmware(), InstallOutcome::ReadFailure);
}

TEST(WriterFirmware, ExpectedVersionsByCore) {
    EXPECT_EQ(writerFirmwareForCore(1)->version, 0x80140002u);
    EXPECT_EQ(writerFirmwareForCore(1)->imageId, 3015u);
    EXPECT_EQ(writerFirmwareForCore(3)->version, 0x80080000u);
    EXPECT_EQ(writerFirmwareForCore(4)->imageId, 3016u);
    EXPECT_EQ(writerFirmwareForCore(2), nullptr);
}

} // namespace
} // namespace zephlin
