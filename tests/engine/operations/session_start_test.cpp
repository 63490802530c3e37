// The session start and CheckID, through the exports: the firmware questions
// and updates, the target setup and the one result mapping.
#include "device_test_support.h"
#include "link/writer_firmware.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zephlin {
namespace {

using sim::Fault;
using sim::ReportKind;
using testing::atReport;
using testing::DeviceTest;
using testing::framesSent;
using testing::RecordingHost;
using testing::withFault;

constexpr const wchar_t* kCortexM0Part = L"Nerel A1(3V)";
constexpr const wchar_t* kCortexM3Part = L"Nerel D5";
constexpr const wchar_t* kCortexM0PlusPart = L"Nerel F1";

bool touchedBootMode(const sim::WriterSimulator& writer) {
    const auto& reports = writer.recordedReports();
    return std::any_of(reports.begin(), reports.end(), [](const sim::RecordedReport& report) {
        return report.productId == kBootLoaderProductId;
    });
}

bool sentFrame(const sim::WriterSimulator& writer, uint16_t code) {
    const auto frames = framesSent(writer);
    return std::find(frames.begin(), frames.end(), code) != frames.end();
}

// Runs action as the writer takes each version query frame.
void onVersionQueries(sim::WriterSimulator& writer, std::function<void()> action) {
    writer.observeReports([&writer, action = std::move(action)](ReportKind kind) {
        const auto& last = writer.recordedReports().back().bytes;
        if (kind == ReportKind::FeatureWrite && last.size() > 4 && last[1] == kFrameSync &&
            last[3] == 0x04 && last[4] == 0x0A) {
            action();
        }
    });
}

class SessionStartTest : public DeviceTest {};

TEST_F(SessionStartTest, CheckIdPassesForEveryPartOfTheCatalogue) {
    RecordingHost host(true); // the Cortex-M3 and M0+ parts need their firmware
    for (std::size_t i = 0; i < chipCatalogue().size(); ++i) {
        start();
        record(chipCatalogue()[i].partName);
        EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS) << "part " << i;
        EXPECT_FALSE(writer().targetPowered()) << "the session ends with the target down";
    }
}

TEST_F(SessionStartTest, TheShortIdFamiliesIgnoreTheFourthReplyByte) {
    record(kCortexM0Part); // device ID 0xC010
    atReport(writer(), ReportKind::InputReport, 1, [&] {
        writer().serveFeatureReply({0x10, 0xC0, 0x05, 0xAB});
    });
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);

    start();
    record(kCortexM0Part);
    atReport(writer(), ReportKind::InputReport, 1, [&] {
        writer().serveFeatureReply({0x10, 0xC0, 0x00, 0x00});
    });
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_FAIL);
}

TEST_F(SessionStartTest, TheFullIdFamiliesCompareAllFourBytes) {
    RecordingHost host(true);
    record(kCortexM3Part); // chip type 14, device ID 0
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    atReport(writer(), ReportKind::InputReport, 1, [&] {
        writer().serveFeatureReply({0x00, 0x00, 0x00, 0x01});
    });
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_FAIL);
}

TEST_F(SessionStartTest, TheDeviceIdQueryFailures) {
    start(withFault(Fault::UnplugAfter, testing::kSessionStartReports));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_SEND_ERROR);

    start(withFault(Fault::UnplugAfter, testing::kSessionStartReports + 1));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_READ_ERROR);
}

struct MappingRow {
    Fault fault;
    uint32_t argument;
    uint16_t result;
};

TEST_F(SessionStartTest, EachSessionFailureHasItsResultCode) {
    const MappingRow rows[] = {
        {Fault::NoWriter, 0, ZEPHLIN_RESULT_NO_WRITER},
        {Fault::UnplugAfter, 0, ZEPHLIN_RESULT_SEND_ERROR},      // version query not sent
        {Fault::UnplugAfter, 1, ZEPHLIN_RESULT_READ_ERROR},      // version reply not read
        {Fault::ShortFeatureRead, 0, ZEPHLIN_RESULT_READ_ERROR}, // version reply short
        {Fault::PowerOnFailure, 0, ZEPHLIN_RESULT_POWER_ON_FAIL},
        {Fault::UnplugAfter, 2, ZEPHLIN_RESULT_POWER_ON_FAIL}, // setup frame not sent
        {Fault::DropStatus, 0, ZEPHLIN_RESULT_POWER_ON_FAIL},  // no setup status
        {Fault::WrongTag, 0, ZEPHLIN_RESULT_POWER_ON_FAIL},
        {Fault::NoResponse, 0, ZEPHLIN_RESULT_NO_RESPONSE},
        {Fault::IdMismatch, 0, ZEPHLIN_RESULT_ID_MISMATCH},
        {Fault::Locked, 0, ZEPHLIN_RESULT_TARGET_LOCKED},
    };
    for (const MappingRow& row : rows) {
        start(withFault(row.fault, row.argument));
        record(kCortexM0Part);
        EXPECT_EQ(call(CheckID), row.result) << "fault " << static_cast<int>(row.fault);
    }
}

TEST_F(SessionStartTest, AnUnknownStatusWordOfTheSetupIsAPowerOnFailure) {
    record(kCortexM0Part);
    writer().answerNextStatusWith(4);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_POWER_ON_FAIL);
}

TEST_F(SessionStartTest, AFailedSetupStillEndsTheTargetSession) {
    start(withFault(Fault::IdMismatch));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_ID_MISMATCH);
    EXPECT_EQ(framesSent(writer()),
              (std::vector<uint16_t>{command::kReadWriterVersion, command::kTargetSetup,
                                     command::kEndOfTarget}));
}

TEST_F(SessionStartTest, NoWriterSendsNothingAndStoresTheCode) {
    start(withFault(Fault::NoWriter));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_NO_WRITER);
    EXPECT_TRUE(writer().recordedReports().empty());
}

TEST_F(SessionStartTest, AWrongCoreAsksTheCoreQuestionEvenWithTheExpectedVersion) {
    RecordingHost host(false);
    // The Cortex-M0 firmware's version number, but serving Cortex-M3.
    writer().state().firmware = {writerFirmwareForCore(1)->version, 3};
    const sim::InstalledFirmware before = writer().state().firmware;
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_DECLINED);
    EXPECT_EQ(host.questions,
              (std::vector<std::wstring>{L"FW is not support CM0, Do you want to update ?"}));
    EXPECT_TRUE(writer().state().firmware == before);
}

TEST_F(SessionStartTest, EachCoreHasItsQuestionAndItsFirmware) {
    struct Row {
        const wchar_t* partName;
        const wchar_t* question;
        uint8_t coreCode;
    };
    const Row rows[] = {
        {kCortexM3Part, L"FW is not support CM3, Do you want to update ?", 3},
        {kCortexM0PlusPart, L"FW is not support CM0+, Do you want to update ?", 4},
    };
    for (const Row& row : rows) {
        RecordingHost host(true);
        start(); // runs the Cortex-M0 firmware
        record(row.partName);
        EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
        EXPECT_EQ(host.questions, (std::vector<std::wstring>{row.question}));
        EXPECT_EQ(writer().state().firmware.coreCode, row.coreCode);
        EXPECT_EQ(writer().state().firmware.version, writerFirmwareForCore(row.coreCode)->version);
    }
}

TEST_F(SessionStartTest, AnOlderFirmwareVersionIsUpdatedWithConsent) {
    RecordingHost host(true);
    start(withFault(Fault::FirmwareMismatch));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(host.questions,
              (std::vector<std::wstring>{L"Unmatched FW version, Do you want to update ?"}));
    EXPECT_EQ(writer().state().firmware.version, writerFirmwareForCore(1)->version);
    EXPECT_TRUE(touchedBootMode(writer()));
}

TEST_F(SessionStartTest, ASubMcuMismatchUpdatesOnlyTheSubMcu) {
    RecordingHost host(true);
    start(withFault(Fault::SubMcuMismatch));
    const sim::InstalledFirmware firmware = writer().state().firmware;
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(host.questions, (std::vector<std::wstring>{
                                  L"Unmatched sub MCU FW version, Do you want to update ?"}));
    EXPECT_EQ(writer().state().subMcuVersion, kExpectedSubMcuVersion);
    EXPECT_TRUE(writer().state().firmware == firmware);
    EXPECT_FALSE(touchedBootMode(writer()));
}

TEST_F(SessionStartTest, DecliningGives106AndTouchesNothing) {
    const Fault mismatches[] = {Fault::FirmwareMismatch, Fault::SubMcuMismatch,
                                Fault::CoreMismatch};
    for (const Fault fault : mismatches) {
        RecordingHost host(false);
        start(withFault(fault));
        const sim::InstalledFirmware firmware = writer().state().firmware;
        const uint16_t subMcu = writer().state().subMcuVersion;
        record(kCortexM0Part);
        EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_DECLINED);
        EXPECT_EQ(host.questions.size(), 1u);
        EXPECT_TRUE(writer().state().firmware == firmware);
        EXPECT_EQ(writer().state().subMcuVersion, subMcu);
        EXPECT_FALSE(touchedBootMode(writer()));
        EXPECT_FALSE(sentFrame(writer(), command::kTargetSetup));
        EXPECT_FALSE(sentFrame(writer(), command::kSubMcuPacket));
        EXPECT_FALSE(writer().state().chip.has_value()) << "no target was set up";
    }
}

TEST_F(SessionStartTest, WithoutHostServicesEveryUpdateIsDeclined) {
    start(withFault(Fault::FirmwareMismatch));
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_DECLINED);
    EXPECT_FALSE(touchedBootMode(writer()));
}

TEST_F(SessionStartTest, AFailedUpdateGives107) {
    RecordingHost host(true);
    start(withFault(Fault::FirmwareMismatch));
    writer().injectFault(Fault::SwappedBootChecksum);
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_FAILED);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, ZEPHLIN_MESSAGE_STOP);

    start(withFault(Fault::CoreMismatch));
    writer().injectFault(Fault::NoBootMode);
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_FAILED);
}

TEST_F(SessionStartTest, AWriterThatIsGoneAfterTheUpdateGives105) {
    RecordingHost host(true);
    start(withFault(Fault::SubMcuMismatch));
    // The writer vanishes as it takes the last sub-MCU packet.
    writer().observeReports([&](ReportKind kind) {
        const auto& last = writer().recordedReports().back().bytes;
        if (kind == ReportKind::FeatureWrite && last.size() > 19 && last[3] == 0x03 &&
            last[4] == 0x06 && last[17] == 0x5A && last[19] == 0x88) {
            writer().injectFault(Fault::NoWriter);
        }
    });
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_NO_WRITER);
}

TEST_F(SessionStartTest, AWriterStillMismatchedAfterAnUpdateIsAskedAgain) {
    RecordingHost host(true);
    start(withFault(Fault::SubMcuMismatch));
    // The first version query after the update still finds the old sub-MCU.
    int versionQueries = 0;
    onVersionQueries(writer(), [&] {
        if (++versionQueries == 2) {
            writer().state().subMcuVersion = 0x0103;
        }
    });
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(versionQueries, 3);
}

TEST_F(SessionStartTest, AnUpdateThatNeverTakesEndsIn107) {
    RecordingHost host(true);
    start(withFault(Fault::SubMcuMismatch));
    // Every version query finds the old sub-MCU again; after ten rounds the
    // writer gives in, so that a session that keeps asking still ends.
    int versionQueries = 0;
    onVersionQueries(writer(), [&] {
        if (++versionQueries < 10) {
            writer().state().subMcuVersion = 0x0103;
        }
    });
    record(kCortexM0Part);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_UPDATE_FAILED);
    EXPECT_EQ(host.questions.size(), 3u) << "three updates, then no more questions";
    EXPECT_FALSE(sentFrame(writer(), command::kTargetSetup));
    EXPECT_FALSE(writerLink().isOpen());
}

TEST_F(SessionStartTest, TheUpdateWaitsTwoSecondsBeforeReopening) {
    RecordingHost host(true);
    start(withFault(Fault::SubMcuMismatch));
    record(kCortexM0Part);
    ASSERT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    // The sub-MCU update itself takes no protocol time in the simulator.
    EXPECT_GE(writer().now(), std::chrono::milliseconds(2000));
    EXPECT_LT(writer().now(), std::chrono::milliseconds(3000));
}

TEST_F(SessionStartTest, AnUnknownPartOrAMissingRecordIsRefusedBeforeTheWriterIsOpened) {
    record(kCortexM0Part).chipIndex = static_cast<int32_t>(chipCatalogue().size());
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_FAIL);
    record().chipIndex = -1;
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_FAIL);
    EXPECT_TRUE(writer().recordedReports().empty());

    EXPECT_EQ(CheckID(nullptr), ZEPHLIN_RESULT_FAIL);
    record(kCortexM0Part).result = nullptr;
    EXPECT_EQ(CheckID(&record()), ZEPHLIN_RESULT_PASS) << "a record without a result word";
}

} // namespace
} // namespace zephlin
