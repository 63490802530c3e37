// Erase, BlankCheck and WholeChipErase through the exports, against the
// simulated writer, with every failure row of their tables.
#include "device_test_support.h"
#include "link/writer_firmware.h"
#include "operations/area_requests.h"
#include "support/byte_order.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zephlin {
namespace {

using sim::Fault;
using sim::ReportKind;
using testing::atReport;
using testing::DeviceTest;
using testing::framesSent;
using testing::framesWith;
using testing::withFault;

constexpr const wchar_t* kPartWithoutSecondArea = L"Nerel A1(3V)";   // 32 pages of 1024 bytes
constexpr const wchar_t* kPartWithSecondArea = L"Nerel B4(3V)";      // and 12 pages of 512
constexpr const wchar_t* kErasedToZeroPart = L"Nerel D1";            // chip type 13
constexpr const wchar_t* kReadProtectedFamilyPart = L"Nerel C1(3V)"; // chip type 17
constexpr const wchar_t* kSwdProtectedPart = L"Nerel F1";            // chip type 16

bool allBytes(const std::vector<uint8_t>& bytes, uint8_t value) {
    return std::all_of(bytes.begin(), bytes.end(), [value](uint8_t b) { return b == value; });
}

class EraseTest : public DeviceTest {
protected:
    // Runs the firmware of the part's core, so that no update is needed.
    void runFirmwareFor(const wchar_t* partName) {
        const uint8_t core = coreCodeOfChipType(testing::part(partName).chipType);
        writer().state().firmware = {writerFirmwareForCore(core)->version, core};
    }

    // A session that leaves the part's chip in the socket, then its flash
    // filled with a pattern.
    void fillChip(const wchar_t* partName) {
        record(partName);
        runFirmwareFor(partName);
        ASSERT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
        std::fill(socket().mainArea.begin(), socket().mainArea.end(), 0x5A);
        std::fill(socket().secondArea.begin(), socket().secondArea.end(), 0x5A);
        writer().clearRecord();
    }
};

TEST_F(EraseTest, ErasesTheMainAreaInOneFrameOfWholePages) {
    fillChip(kPartWithoutSecondArea);
    record().codeSize = 1; // only selects
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(allBytes(socket().mainArea, 0xFF));
    const auto frames = framesWith(writer(), command::kEraseMainArea);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(frames[0].begin() + 8, frames[0].begin() + 14),
              (std::vector<uint8_t>{0x20, 0x00, 0x00, 0x00, 0x00, 0x04}));
}

TEST_F(EraseTest, TheSizesSelectTheAreas) {
    fillChip(kPartWithSecondArea);
    record().dataSize = 1;
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(allBytes(socket().secondArea, 0xFF));
    EXPECT_TRUE(allBytes(socket().mainArea, 0x5A)) << "the main area was not selected";
    const auto frames = framesWith(writer(), command::kEraseSecondArea);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(loadLe32(frames[0], 8), 12u);
    EXPECT_EQ(loadLe16(frames[0], 12), 512u);

    record().codeSize = 5;
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(allBytes(socket().mainArea, 0xFF));
}

TEST_F(EraseTest, NoAreaSelectedIsOnlyTheSession) {
    record(kPartWithSecondArea);
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(framesSent(writer()),
              (std::vector<uint16_t>{command::kReadWriterVersion, command::kTargetSetup,
                                     command::kEndOfTarget}));
}

TEST_F(EraseTest, APartialPageCountsAsAPage) {
    EXPECT_EQ(pageCount(32768, 1024), 32u);
    EXPECT_EQ(pageCount(32769, 1024), 33u);
    EXPECT_EQ(pageCount(1, 512), 1u);
}

TEST_F(EraseTest, TheSecondAreaOfAPartWithoutOneIsRefused) {
    record(kPartWithoutSecondArea).dataSize = 1;
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_TRUE(writer().recordedReports().empty());
}

TEST_F(EraseTest, EraseFailures) {
    record(kPartWithoutSecondArea).codeSize = 1;
    // Reports 1 to 4 are the session start; the erase frame is the fifth.
    start(withFault(Fault::UnplugAfter, testing::kSessionStartReports));
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_SEND_ERROR);

    start();
    atReport(writer(), ReportKind::FeatureWrite, 3,
             [&] { writer().injectFault(Fault::DropStatus); });
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_STATUS_READ_ERROR);

    start();
    atReport(writer(), ReportKind::FeatureWrite, 3, [&] { writer().injectFault(Fault::WrongTag); });
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_FAIL);

    start();
    atReport(writer(), ReportKind::InputReport, 1, [&] { writer().answerNextStatusWith(1); });
    EXPECT_EQ(call(Erase), ZEPHLIN_RESULT_FAIL);
}

TEST_F(EraseTest, BlankCheckReadsTheWholeMainAreaWhateverTheCodeSize) {
    record(kPartWithoutSecondArea).codeSize = 1;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_PASS);
    const auto reads = framesWith(writer(), command::kReadMainArea);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(loadLe32(reads[0], 8), 32768u);

    socket().mainArea.back() = 0xFE;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_FAIL);
}

TEST_F(EraseTest, BlankCheckOfTheSecondAreaCoversDataSizeFromDataStart) {
    record(kPartWithSecondArea);
    ASSERT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    socket().secondArea[99] = 0x00;
    record().dataStart = 100;
    record().dataSize = 6044;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_PASS) << "byte 99 lies before the start";
    record().dataStart = 99;
    record().dataSize = 1;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_FAIL);
    record().dataSize = 6046;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_FILE_TOO_LARGE) << "past the second area";
}

TEST_F(EraseTest, BlankCheckExpectsThePartsErasedValue) {
    record(kErasedToZeroPart).codeSize = 1;
    runFirmwareFor(kErasedToZeroPart);
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(allBytes(socket().mainArea, 0x00));
    socket().mainArea[5] = 0xFF;
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_FAIL);
}

TEST_F(EraseTest, BlankCheckFailures) {
    record(kPartWithoutSecondArea).codeSize = 1;
    start(withFault(Fault::UnplugAfter, testing::kSessionStartReports));
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_SEND_ERROR);
    // The writer goes away in the middle of the read-back.
    start(withFault(Fault::UnplugAfter, testing::kSessionStartReports + 3));
    EXPECT_EQ(call(BlankCheck), ZEPHLIN_RESULT_READ_ERROR);
}

TEST_F(EraseTest, WholeChipEraseOpensALockedTargetForCheckId) {
    start(withFault(Fault::Locked));
    record(kPartWithoutSecondArea);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_TARGET_LOCKED);
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(allBytes(socket().mainArea, 0xFF));
    // The defaults 0xFFFFFEFF, ... with the LOCK bit 0x100 of word 0 released.
    const std::vector<uint32_t> expected = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                                            0xFFFFFFFF, 0xEDEFFFFF, 0xFFFFFFFF, 0xFFFFFFC8};
    EXPECT_EQ(std::vector<uint32_t>(socket().optionWords.begin(), socket().optionWords.begin() + 8),
              expected);
    EXPECT_EQ(framesSent(writer()),
              (std::vector<uint16_t>{
                  command::kReadWriterVersion, command::kTargetSetup, command::kEndOfTarget,
                  command::kReadWriterVersion, command::kTargetSetup, command::kEraseWholeChip,
                  command::kEndOfTarget, command::kTargetSetup, command::kWriteOptionWords,
                  command::kEndOfTarget, command::kReadWriterVersion, command::kTargetSetup,
                  command::kReadDeviceId, command::kEndOfTarget}));
}

TEST_F(EraseTest, WholeChipEraseWritesOtherFamiliesDefaultsUnchanged) {
    record(kReadProtectedFamilyPart);
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_PASS);
    const std::vector<uint32_t> defaults =
        defaultOptionWords(testing::part(kReadProtectedFamilyPart));
    EXPECT_EQ(std::vector<uint32_t>(socket().optionWords.begin(),
                                    socket().optionWords.begin() + defaults.size()),
              defaults);
}

TEST_F(EraseTest, OnlyTheFirstSetupOfAChipType16EraseAsksForTheUnlock) {
    record(kSwdProtectedPart);
    runFirmwareFor(kSwdProtectedPart);
    ASSERT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    socket().optionWords[0] = 0xFFFFFFFE; // SWD protected
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_TARGET_LOCKED);
    writer().clearRecord();

    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_PASS);
    const auto setups = framesWith(writer(), command::kTargetSetup);
    ASSERT_EQ(setups.size(), 2u);
    EXPECT_EQ(setups[0].size(), 128u) << "one 129-byte report";
    EXPECT_EQ(setups[0][17], 1);
    EXPECT_EQ(setups[1][17], 0);
    EXPECT_EQ(call(CheckID), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(socket().optionWords[0], 0xFFFFFFFF);

    record(kPartWithoutSecondArea);
    runFirmwareFor(kPartWithoutSecondArea);
    writer().clearRecord();
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_PASS);
    for (const auto& setup : framesWith(writer(), command::kTargetSetup)) {
        EXPECT_EQ(setup[17], 0) << "only chip type 16 asks for the unlock";
    }
}

TEST_F(EraseTest, AWholeChipEraseTheWriterReportsAsFailedFails) {
    for (const uint16_t statusWord : {1, 2, 4, 0xFFFF}) {
        start();
        record(kPartWithoutSecondArea);
        atReport(writer(), ReportKind::InputReport, 1,
                 [&] { writer().answerNextStatusWith(statusWord); });
        EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_FAIL) << "status word " << statusWord;
        const auto frames = framesSent(writer());
        EXPECT_EQ(std::count(frames.begin(), frames.end(), command::kWriteOptionWords), 0)
            << "no option words after a failed erase";
        EXPECT_EQ(frames.back(), command::kEndOfTarget) << "the session ends with the target";
    }
}

// WholeChipErase's reports: 1-4 session start, 5-6 erase frame and status,
// 7-8 end of target, 9-10 the second setup, 11-13 option frame, data and
// status. Status reports: 1 setup, 2 erase, 3 end of target, 4 second setup,
// 5 option write.
TEST_F(EraseTest, WholeChipEraseFailures) {
    struct Row {
        uint32_t statusReport; // answer this status report...
        uint16_t statusWord;   // ...with this status word
        uint16_t result;
    };
    const Row rows[] = {
        {3, 3, ZEPHLIN_RESULT_END_OF_TARGET_FAIL},
        {3, 1, ZEPHLIN_RESULT_END_OF_TARGET_FAIL},
        {4, 5, ZEPHLIN_RESULT_ID_MISMATCH},
        {4, 6, ZEPHLIN_RESULT_TARGET_LOCKED},
        {4, 2, ZEPHLIN_RESULT_POWER_ON_FAIL},
        {4, 3, ZEPHLIN_RESULT_POWER_ON_FAIL},
        {5, 1, ZEPHLIN_RESULT_CHECKSUM_ERROR},
        {5, 2, ZEPHLIN_RESULT_FAIL},
        {2, 4, ZEPHLIN_RESULT_FAIL},
    };
    for (const Row& row : rows) {
        start();
        record(kPartWithoutSecondArea);
        atReport(writer(), ReportKind::InputReport, row.statusReport - 1,
                 [&] { writer().answerNextStatusWith(row.statusWord); });
        EXPECT_EQ(call(WholeChipErase), row.result)
            << "status report " << row.statusReport << " with " << row.statusWord;
    }

    start(withFault(Fault::UnplugAfter, 4));
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_SEND_ERROR) << "erase frame";
    start(withFault(Fault::UnplugAfter, 10));
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_SEND_ERROR) << "option frame";
    start(withFault(Fault::UnplugAfter, 11));
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_SEND_ERROR) << "option words";

    const uint32_t writes[] = {3, 7}; // the erase frame, the option words
    for (const uint32_t write : writes) {
        for (const Fault fault : {Fault::DropStatus, Fault::WrongTag}) {
            start();
            record(kPartWithoutSecondArea);
            atReport(writer(), ReportKind::FeatureWrite, write,
                     [&] { writer().injectFault(fault); });
            EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_FAIL) << "feature write " << write;
        }
    }
}

TEST_F(EraseTest, AFailedEndOfTargetAfterTheEraseStopsAtOnce) {
    record(kPartWithoutSecondArea);
    atReport(writer(), ReportKind::InputReport, 2, [&] { writer().answerNextStatusWith(3); });
    EXPECT_EQ(call(WholeChipErase), ZEPHLIN_RESULT_END_OF_TARGET_FAIL);
    EXPECT_EQ(framesSent(writer()).back(), command::kEndOfTarget);
    EXPECT_EQ(framesSent(writer()).size(), 4u) << "no second setup, no second end of target";
}

} // namespace
} // namespace zephlin
