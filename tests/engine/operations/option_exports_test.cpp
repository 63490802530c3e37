// WriteOptions and ReadOptions through the exports, against the simulated
// writer, with every failure row of their table.
#include "device_test_support.h"
#include "operations/option_codec.h"
#include "support/byte_order.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

using sim::Fault;
using sim::ReportKind;
using testing::atReport;
using testing::DeviceTest;
using testing::kSessionStartReports;
using testing::withFault;

constexpr const wchar_t* kChecksumSavePart = L"Nerel A4(3V)"; // chip type 4, eight words
constexpr const wchar_t* kFourWordPart = L"Nerel B4(3V)";     // chip type 21

// The option bytes of the last write of option words, as the writer got them.
std::vector<uint8_t> lastOptionBytes(const sim::WriterSimulator& writer) {
    const auto& reports = writer.recordedReports();
    for (std::size_t i = reports.size(); i-- > 0;) {
        const auto& bytes = reports[i].bytes;
        if (reports[i].kind == ReportKind::FeatureWrite && bytes.size() > 12 &&
            bytes[1] == kFrameSync && loadLe16(bytes, 3) == command::kWriteOptionWords) {
            const uint32_t length = loadLe32(bytes, 9);
            const auto& data = reports.at(i + 1).bytes;
            return {data.begin() + 1, data.begin() + 1 + length};
        }
    }
    return {};
}

class OptionExportTest : public DeviceTest {};

TEST_F(OptionExportTest, WrittenSettingsReadBackTheSame) {
    record(kFourWordPart);
    record().selectSettings[1] = 2; // BOOT_MS: Embedded SRAM
    record().selectSettings[2] = 5; // IWDT_DIV: F/32
    record().checkSettings[1] = 1;  // BOD1_WE
    record().checkSettings[2] = 1;  // IWDT_EN
    const auto written = buildOptionWords(record());
    ASSERT_EQ(call(WriteOptions), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(std::vector<uint32_t>(socket().optionWords.begin(), socket().optionWords.begin() + 4),
              written);

    ZephlinContext& back = record(kFourWordPart);
    ASSERT_EQ(call(ReadOptions), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(back.selectSettings[1], 2u);
    EXPECT_EQ(back.selectSettings[2], 5u);
    EXPECT_EQ(back.checkSettings[1], 1u);
    EXPECT_EQ(back.checkSettings[2], 1u);
    EXPECT_EQ(back.checkSettings[0], 0u) << "not locked";
    EXPECT_EQ(buildOptionWords(back), written) << "what was read builds the same words";
}

TEST_F(OptionExportTest, TheChipChecksumWordGoesOnlyInsideASequence) {
    record(kChecksumSavePart).stepFlags = 0x8084;
    record().codeAreaChecksum = 0x1234;
    ASSERT_EQ(call(WriteOptions), ZEPHLIN_RESULT_PASS);
    std::vector<uint8_t> bytes = lastOptionBytes(writer());
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()),
              (std::vector<uint8_t>{0x34, 0x12, 0xFF, 0xFF}));

    record().stepFlags = 0x0084;
    ASSERT_EQ(call(WriteOptions), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(lastOptionBytes(writer()).size(), 32u);
}

TEST_F(OptionExportTest, OnlyStatusZeroAfterTheOptionWriteIsAPass) {
    const std::pair<uint16_t, uint16_t> rows[] = {
        {0, ZEPHLIN_RESULT_PASS}, {1, ZEPHLIN_RESULT_CHECKSUM_ERROR}, {2, ZEPHLIN_RESULT_FAIL},
        {4, ZEPHLIN_RESULT_FAIL}, {0xFFFF, ZEPHLIN_RESULT_FAIL},
    };
    for (const auto& [statusWord, result] : rows) {
        start();
        record(kChecksumSavePart);
        atReport(writer(), ReportKind::InputReport, 1,
                 [&, statusWord = statusWord] { writer().answerNextStatusWith(statusWord); });
        EXPECT_EQ(call(WriteOptions), result) << "status word " << statusWord;
    }
}

TEST_F(OptionExportTest, WriteOptionsFailures) {
    start(withFault(Fault::UnplugAfter, kSessionStartReports));
    record(kChecksumSavePart);
    EXPECT_EQ(call(WriteOptions), ZEPHLIN_RESULT_SEND_ERROR) << "frame";
    start(withFault(Fault::UnplugAfter, kSessionStartReports + 1));
    EXPECT_EQ(call(WriteOptions), ZEPHLIN_RESULT_SEND_ERROR) << "option bytes";
    for (const Fault fault : {Fault::DropStatus, Fault::WrongTag}) {
        start();
        atReport(writer(), ReportKind::FeatureWrite, 4, [&] { writer().injectFault(fault); });
        EXPECT_EQ(call(WriteOptions), ZEPHLIN_RESULT_FAIL);
    }
}

TEST_F(OptionExportTest, AFailedReadLeavesTheSettingsAsTheyWere) {
    record(kFourWordPart).checkSettings[3] = 9;
    start(withFault(Fault::UnplugAfter, kSessionStartReports + 1));
    EXPECT_EQ(call(ReadOptions), ZEPHLIN_RESULT_READ_ERROR);
    EXPECT_EQ(record().checkSettings[3], 9u);
    start(withFault(Fault::UnplugAfter, kSessionStartReports));
    EXPECT_EQ(call(ReadOptions), ZEPHLIN_RESULT_SEND_ERROR);
    EXPECT_EQ(record().checkSettings[3], 9u);

    start();
    EXPECT_EQ(call(ReadOptions), ZEPHLIN_RESULT_PASS);
    EXPECT_NE(record().checkSettings[3], 9u);
}

TEST_F(OptionExportTest, ReadOptionsAsksForThePartsWordsOnly) {
    record(kFourWordPart);
    ASSERT_EQ(call(ReadOptions), ZEPHLIN_RESULT_PASS);
    for (const sim::RecordedReport& report : writer().recordedReports()) {
        if (report.kind == ReportKind::FeatureWrite &&
            loadLe16(report.bytes, 3) == command::kReadOptionWords) {
            EXPECT_EQ(loadLe32(report.bytes, 9), 16u);
        }
    }
}

TEST_F(OptionExportTest, ALockedTargetIsRefusedBeforeAnyOptionTransfer) {
    start(withFault(Fault::Locked));
    record(kFourWordPart);
    EXPECT_EQ(call(WriteOptions), ZEPHLIN_RESULT_TARGET_LOCKED);
    EXPECT_EQ(call(ReadOptions), ZEPHLIN_RESULT_TARGET_LOCKED);
}

} // namespace
} // namespace zephlin
