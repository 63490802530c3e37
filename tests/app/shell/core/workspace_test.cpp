// The workspace and the device commands and Auto sequence over it, against
// the simulated writer: what each command hands the library, what it does with
// the result, and what the log shows.
#include "shell/core/auto_sequence.h"
#include "shell/core/device_commands.h"
#include "shell/core/workspace.h"
#include "tests/support/test_workspace.h"

#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <numeric>
#include <vector>

namespace zephlin {
namespace {

constexpr int32_t kSmallPart = 0;    // "Nerel A1(3V)": 32 KiB, no second area
constexpr int32_t kChecksumPart = 6; // "Nerel A4(3V)": chip type 4, saves the chip checksum
constexpr int32_t kIspPart = 17;     // "Nerel B4(3V)": chip type 21, a 6 KiB second area

std::vector<uint8_t> pattern(std::size_t length, uint8_t seed = 0) {
    std::vector<uint8_t> bytes(length);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

// The log without its time trailers, each entry on a line of its own.
std::wstring withoutTimes(const std::wstring& log) {
    std::wstring text;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log.compare(i, 4, L"   [") == 0) {
            i = log.find(L"]\r\n", i);
            text += L"\n";
            i += 2;
        } else if (log.compare(i, 2, L"\r\n") == 0) {
            text += L"\n";
            ++i;
        } else {
            text += log[i];
        }
    }
    return text;
}

struct WorkspaceTest : ::testing::Test {
    testing::SimulatedWriterScope writer;
    testing::TestWorkspace workspace;

    void SetUp() override {
        ASSERT_TRUE(writer.selected()) << writer.error();
        workspace->selectPart(kSmallPart);
    }
    uint16_t run(const std::unique_ptr<Command>& command) { return workspace->run(*command); }
};

TEST_F(WorkspaceTest, SelectingAPartEmptiesTheBuffersAndResetsThePerPartFields) {
    workspace->buffer().setArea(kMainPage, pattern(100));
    workspace->buffer().loadRecord(kMainPage).state = LoadState::SingleFile;
    workspace->record().stepFlags = ZEPHLIN_STEP_ERASE;
    workspace->record().serialNumber = 7;

    workspace->selectPart(kIspPart);

    EXPECT_EQ(workspace->record().chipIndex, kIspPart);
    EXPECT_EQ(workspace->buffer().length(kMainPage), 0u);
    EXPECT_FALSE(workspace->buffer().loadRecord(kMainPage).loaded());
    EXPECT_TRUE(workspace->buffer().hasSecondArea());
    EXPECT_EQ(workspace->record().stepFlags, ZEPHLIN_STEP_DEFAULT);
    EXPECT_EQ(workspace->record().serialNumber, 0u);
    EXPECT_EQ(workspace->record().serialAddress, workspace->part().mainAreaSize - 16);
}

TEST_F(WorkspaceTest, AnIndexOutsideTheCatalogueChangesNothing) {
    workspace->buffer().setArea(kMainPage, pattern(10));
    workspace->selectPart(workspace->catalogue().count());
    workspace->selectPart(-1);
    EXPECT_EQ(workspace->record().chipIndex, kSmallPart);
    EXPECT_EQ(workspace->buffer().length(kMainPage), 10u);
}

TEST_F(WorkspaceTest, RestoringThePartKeepsWhatTheRecordHeld) {
    workspace->record().chipIndex = kIspPart;
    workspace->record().stepFlags = ZEPHLIN_STEP_PROGRAM;
    workspace->record().maxCounter = 500;
    int shown = 0;
    workspace->setPartObserver([&] { ++shown; });

    workspace->restorePart();

    EXPECT_EQ(workspace->part().secondAreaSize, 6144u);
    EXPECT_EQ(workspace->record().stepFlags, ZEPHLIN_STEP_PROGRAM);
    EXPECT_EQ(workspace->record().maxCounter, 500u);
    EXPECT_EQ(shown, 1);
}

TEST_F(WorkspaceTest, ProgrammedBytesVerifyAndADifferentBufferDoesNot) {
    workspace->buffer().setArea(kMainPage, pattern(4096, 3));
    ASSERT_EQ(run(makeWholeChipErase(*workspace)), ZEPHLIN_RESULT_PASS);
    ASSERT_EQ(run(makeProgram(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(run(makeVerify(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);

    std::vector<uint8_t> changed = pattern(4096, 3);
    changed[4000] ^= 0x01;
    workspace->buffer().setArea(kMainPage, changed);
    EXPECT_NE(run(makeVerify(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);
    EXPECT_NE(workspace->firstFailure(), 0);
}

TEST_F(WorkspaceTest, ProgramOfTheSecondAreaAloneStillSumsTheMainAreaAsErased) {
    workspace->selectPart(kIspPart);
    workspace->buffer().setArea(kSecondPage, pattern(512));
    ASSERT_EQ(run(makeProgram(*workspace, areasOfPage(kSecondPage))), ZEPHLIN_RESULT_PASS);
    const ZephlinContext& record = workspace->record();
    EXPECT_EQ(record.codeSize, 0u);
    EXPECT_EQ(record.dataSize, 512u);
    EXPECT_EQ(record.codeAreaChecksum, static_cast<uint16_t>(32768u * 0xFF));
    // The copies the command handed over are gone with it.
    EXPECT_EQ(record.codeImage, nullptr);
    EXPECT_EQ(record.dataImage, nullptr);
}

TEST_F(WorkspaceTest, EraseActsOnTheChosenAreaOutsideAutoAndOnBothInside) {
    workspace->selectPart(kIspPart);
    ASSERT_EQ(run(makeErase(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(workspace->record().codeSize, 32768u);
    EXPECT_EQ(workspace->record().dataSize, 0u);

    workspace->record().stepFlags = ZEPHLIN_STEP_ERASE;
    runAutoSequence(*workspace);
    EXPECT_EQ(workspace->record().codeSize, 32768u);
    EXPECT_EQ(workspace->record().dataSize, 6144u);
}

TEST_F(WorkspaceTest, ReadsUseAScratchRecordAndLeaveTheSettingsAlone) {
    ZephlinContext& record = workspace->record();
    record.selectSettings[0] = 1;
    record.checkSettings[0] = 1;
    const ZephlinContext before = record;
    bool shown = false;
    ASSERT_EQ(run(makeReadOptions(*workspace, [&](const ZephlinContext&) { shown = true; })),
              ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(shown);
    EXPECT_EQ(record.selectSettings[0], before.selectSettings[0]);
    EXPECT_EQ(record.checkSettings[0], before.checkSettings[0]);
}

TEST_F(WorkspaceTest, DumpTargetHandsOverWhatTheChipHolds) {
    const std::vector<uint8_t> image = pattern(2048, 9);
    workspace->buffer().setArea(kMainPage, image);
    ASSERT_EQ(run(makeProgram(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);
    DumpResult read;
    ASSERT_EQ(run(makeDumpTarget(*workspace,
                                 [&](const ZephlinContext&, DumpResult& areas) { read = areas; })),
              ZEPHLIN_RESULT_PASS);
    ASSERT_EQ(read.main.size(), 32768u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), read.main.begin()));
    EXPECT_EQ(read.main[2048], 0xFF);
    EXPECT_TRUE(read.second.empty());
}

TEST_F(WorkspaceTest, AutoSavesTheChipChecksumThatReadChipChecksumShowsOnItsOwnLine) {
    workspace->selectPart(kChecksumPart);
    const std::vector<uint8_t> image = pattern(1000);
    workspace->buffer().setArea(kMainPage, image);
    runAutoSequence(*workspace);
    ASSERT_EQ(workspace->firstFailure(), 0) << workspace.log();
    workspace->log().clear();

    ASSERT_EQ(run(makeReadChecksum(*workspace)), ZEPHLIN_RESULT_PASS);
    wchar_t expected[64];
    std::swprintf(expected, std::size(expected),
                  L"000 - Read Chip Checksum =>Pass\n   Chip Checksum :  0x%04X\n",
                  areaChecksum16(image, workspace->part().mainAreaSize));
    EXPECT_EQ(withoutTimes(workspace.log()), expected);
}

TEST_F(WorkspaceTest, TheDefaultAutoStepsRunInTheirOrderBetweenTheStartAndEndLines) {
    workspace->buffer().setArea(kMainPage, pattern(1000));
    runAutoSequence(*workspace);
    EXPECT_EQ(withoutTimes(workspace.log()), L"000 - Auto ======>Start\n"
                                             L"       WholeChip Erase =>Pass\n"
                                             L"       Blank Check =>Pass\n"
                                             L"       Program =>Pass\n"
                                             L"       Verify =>Pass\n"
                                             L"       Write Options =>Pass\n"
                                             L"         Auto ======>End\n");
    EXPECT_EQ(workspace->record().stepFlags & ZEPHLIN_STEP_IN_SEQUENCE, 0);
    EXPECT_FALSE(workspace->runner().autoRunning());
    EXPECT_EQ(workspace->firstFailure(), 0);
}

TEST_F(WorkspaceTest, AFailingBlankCheckEndsTheSequenceAfterItsOwnEntry) {
    workspace->buffer().setArea(kMainPage, pattern(1000));
    ASSERT_EQ(run(makeProgram(*workspace, areasOfPage(kMainPage))), ZEPHLIN_RESULT_PASS);
    workspace->log().clear();
    workspace->record().stepFlags = ZEPHLIN_STEP_BLANK_CHECK | ZEPHLIN_STEP_PROGRAM |
                                    ZEPHLIN_STEP_VERIFY | ZEPHLIN_STEP_WRITE_OPTIONS;
    runAutoSequence(*workspace);
    EXPECT_EQ(withoutTimes(workspace.log()), L"000 - Auto ======>Start\n"
                                             L"       Blank Check =>Fail\n"
                                             L"         Auto ======>End\n");
}

struct FaultyWriterTest : ::testing::Test {
    testing::SimulatedWriterScope writer{{"no-response"}};
    testing::TestWorkspace workspace;
};

TEST_F(FaultyWriterTest, AFailedDumpKeepsTheBuffers) {
    ASSERT_TRUE(writer.selected()) << writer.error();
    workspace->selectPart(kSmallPart);
    workspace->buffer().setArea(kMainPage, pattern(64));
    bool handedOver = false;
    const auto dump =
        makeDumpTarget(*workspace, [&](const ZephlinContext&, DumpResult&) { handedOver = true; });
    EXPECT_EQ(workspace->run(*dump), ZEPHLIN_RESULT_NO_RESPONSE);
    EXPECT_FALSE(handedOver);
    EXPECT_EQ(workspace->buffer().readArea(kMainPage), pattern(64));
}

} // namespace
} // namespace zephlin
