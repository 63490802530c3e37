// The chip in the simulated writer's socket, driven through the exchanges a
// device export uses.
#include "link/exchanges.h"
#include "link/simulator/box_status.h"
#include "link/target_session.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

using testing::chipIndexOf;
using testing::part;
using testing::selectSimulator;

std::vector<uint8_t> littleEndianWords(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> bytes;
    for (const uint32_t word : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
        }
    }
    return bytes;
}

class SimulatedTargetTest : public ::testing::Test {
protected:
    void start(sim::SimulatorOptions options = {}) {
        writer_ = &selectSimulator(std::move(options));
        ASSERT_TRUE(writerLink().open(kWriterProductId));
    }

    uint16_t setUp(const wchar_t* partName, bool eraseUnlock = false) {
        const StatusExchange exchange =
            commandExchange(targetSetupFrame(part(partName), eraseUnlock, FrameTag::fresh()));
        EXPECT_TRUE(exchange.hasStatus());
        return exchange.statusWord;
    }

    // Power cycle: end of target, then a new setup.
    uint16_t powerCycle(const wchar_t* partName, bool eraseUnlock = false) {
        EXPECT_EQ(endOfTarget(), link_code::kDone);
        return setUp(partName, eraseUnlock);
    }

    uint16_t write(uint16_t code, uint32_t start, const std::vector<uint8_t>& data) {
        const StatusExchange exchange =
            writeExchange(commandFrame(code, FrameTag::fresh(), start,
                                       static_cast<uint32_t>(data.size()), checksum16(data)),
                          data);
        EXPECT_TRUE(exchange.hasStatus());
        return exchange.statusWord;
    }

    std::vector<uint8_t> read(uint16_t code, uint32_t start, uint32_t length) {
        std::vector<uint8_t> bytes(length);
        EXPECT_EQ(readExchange(commandFrame(code, FrameTag::fresh(), start, length), bytes),
                  ReadOutcome::Done);
        return bytes;
    }

    uint16_t statusOf(const CommandFrame& frame) { return commandExchange(frame).statusWord; }

    sim::SimulatedChip& chip() { return *writer_->state().chip; }
    sim::WriterSimulator& writer() { return *writer_; }

private:
    sim::WriterSimulator* writer_ = nullptr;
};

TEST_F(SimulatedTargetTest, FlashOnlyMovesBitsAwayFromTheErasedValue) {
    start();
    ASSERT_EQ(setUp(L"Nerel A1(3V)"), 0);
    EXPECT_EQ(chip().mainArea.size(), 32768u);
    EXPECT_EQ(write(command::kWriteMainArea, 10, {0xF0, 0x0F}), 0);
    EXPECT_EQ(write(command::kWriteMainArea, 10, {0x3C, 0x3C}), 0);
    EXPECT_EQ(read(command::kReadMainArea, 10, 2), (std::vector<uint8_t>{0x30, 0x0C}));

    EXPECT_EQ(statusOf(commandFrame(command::kEraseMainArea, FrameTag::fresh(), 0, 32, 1024)), 0);
    EXPECT_EQ(read(command::kReadMainArea, 10, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(statusOf(commandFrame(command::kEraseMainArea, FrameTag::fresh(), 0, 64, 512)),
              sim::box_status::kRefused)
        << "the part's pages are 1024 bytes";
}

TEST_F(SimulatedTargetTest, ChipTypeThirteenIsErasedToZero) {
    start();
    ASSERT_EQ(setUp(L"Nerel D1"), 0);
    EXPECT_TRUE(std::all_of(chip().mainArea.begin(), chip().mainArea.end(),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(write(command::kWriteMainArea, 0, {0x81}), 0);
    EXPECT_EQ(write(command::kWriteMainArea, 0, {0x18}), 0);
    EXPECT_EQ(chip().mainArea[0], 0x99);
}

TEST_F(SimulatedTargetTest, WritesOutsideTheAreaAreRefused) {
    start();
    ASSERT_EQ(setUp(L"Nerel A1(3V)"), 0);
    EXPECT_NE(write(command::kWriteMainArea, 32767, {1, 2}), 0);
    EXPECT_NE(write(command::kWriteSecondArea, 0, {1}), 0) << "the part has no second area";
    EXPECT_EQ(read(command::kReadMainArea, 32767, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
}

TEST_F(SimulatedTargetTest, StoresAndReturnsOptionWords) {
    start();
    ASSERT_EQ(setUp(L"Nerel A4(3V)"), 0);
    const auto words = littleEndianWords({0xFFFFFFFF, 1, 2, 3, 4, 5, 6, 7, 0xFFFF1234});
    EXPECT_EQ(write(command::kWriteOptionWords, 0, words), 0);
    EXPECT_EQ(read(command::kReadOptionWords, 0, 36), words);
    // Fewer words reprogram the whole option area: word 8 is erased again.
    EXPECT_EQ(write(command::kWriteOptionWords, 0, littleEndianWords({0xFFFFFFFF})), 0);
    const auto back = read(command::kReadOptionWords, 0, 36);
    EXPECT_EQ(back[32], 0xFF);
    EXPECT_EQ(back[33], 0xFF);
}

TEST_F(SimulatedTargetTest, AChipLockedByItsOptionWordsStaysLockedUntilAWholeChipErase) {
    start();
    ASSERT_EQ(setUp(L"Nerel A1(3V)"), 0);
    // The catalogue's default word 0 has the active-low LOCK bit cleared.
    EXPECT_EQ(write(command::kWriteOptionWords, 0, littleEndianWords({0xFFFFFEFF})), 0);
    EXPECT_EQ(write(command::kWriteMainArea, 0, {0x12}), 0);
    EXPECT_EQ(powerCycle(L"Nerel A1(3V)"), 6);
    EXPECT_EQ(powerCycle(L"Nerel A1(3V)"), 6);
    EXPECT_NE(write(command::kWriteMainArea, 0, {0x00}), 0) << "a locked target refuses";

    EXPECT_EQ(statusOf(commandFrame(command::kEraseWholeChip, FrameTag::fresh())), 0);
    EXPECT_EQ(powerCycle(L"Nerel A1(3V)"), 0);
    EXPECT_EQ(chip().mainArea[0], 0xFF);
    EXPECT_EQ(read(command::kReadOptionWords, 0, 4), littleEndianWords({0xFFFFFFFF}));
}

TEST_F(SimulatedTargetTest, LockRulesFollowEachFamilysProtectionBits) {
    const struct {
        const wchar_t* part;
        std::vector<uint32_t> locked;
        std::vector<uint32_t> open;
    } cases[] = {
        {L"Nerel C1(3V)", {0x01FE807F}, {0x00FF5AA5}},                     // read protection
        {L"Nerel D5", {0x00FF00FF}, {0x00FF5AA5}},                         // RDP byte 0xA5
        {L"Nerel F1", {0xFFFFFFFE, 0xFFFFFFFF}, {0xFFFFFFFF, 0xFFFFFFFF}}, // SWD protected
        {L"Nerel D1", {0, 0, 0, 0, 0x83}, {0, 0, 0, 0, 0x0C0C0C0C}},       // LOCK field
    };
    for (const auto& c : cases) {
        const ChipRecord& record = part(c.part);
        EXPECT_TRUE(sim::optionWordsLock(record, c.locked))
            << ::testing::PrintToString(std::wstring(c.part));
        EXPECT_FALSE(sim::optionWordsLock(record, c.open))
            << ::testing::PrintToString(std::wstring(c.part));
        const std::vector<uint32_t> blank(9, record.erasedValue * 0x01010101u);
        EXPECT_FALSE(sim::optionWordsLock(record, blank)) << "blank options never lock";
    }
}

TEST_F(SimulatedTargetTest, AnSwdProtectedChipNeedsTheEraseUnlockRequest) {
    start();
    ASSERT_EQ(setUp(L"Nerel F1"), 0);
    EXPECT_EQ(write(command::kWriteOptionWords, 0, littleEndianWords({0xFFFFFFFE, 0xFFFFFFFF})), 0);
    EXPECT_EQ(powerCycle(L"Nerel F1"), 6);
    EXPECT_NE(statusOf(commandFrame(command::kEraseWholeChip, FrameTag::fresh())), 0);
    EXPECT_EQ(powerCycle(L"Nerel F1"), 6);

    EXPECT_EQ(powerCycle(L"Nerel F1", true), 0);
    EXPECT_EQ(statusOf(commandFrame(command::kEraseWholeChip, FrameTag::fresh())), 0);
    EXPECT_EQ(powerCycle(L"Nerel F1"), 0);
}

TEST_F(SimulatedTargetTest, AnswersTheDeviceIdOfEachFamily) {
    start();
    ASSERT_EQ(setUp(L"Nerel C6(3V)"), 0);
    EXPECT_EQ(queryExchange(queryFrame(command::kReadDeviceId, FrameTag::fresh(), 4), 4).reply,
              (std::vector<uint8_t>{0x00, 0x47, 0x51, 0x4C}));
    ASSERT_EQ(powerCycle(L"Nerel D5"), 0);
    EXPECT_EQ(queryExchange(queryFrame(command::kReadDeviceId, FrameTag::fresh(), 4), 4).reply,
              (std::vector<uint8_t>{0, 0, 0, 0}));
    ASSERT_EQ(powerCycle(L"Nerel B4(3V)"), 0);
    const auto reply =
        queryExchange(queryFrame(command::kReadDeviceId, FrameTag::fresh(), 4), 4).reply;
    EXPECT_EQ((std::vector<uint8_t>(reply.begin(), reply.begin() + 3)),
              (std::vector<uint8_t>{0x19, 0xC0, 0x05}));
}

TEST_F(SimulatedTargetTest, KeepsTheChipUntilAnotherPartIsAskedFor) {
    start();
    ASSERT_EQ(setUp(L"Nerel A1(3V)"), 0);
    EXPECT_EQ(write(command::kWriteMainArea, 0, {0x42}), 0);
    ASSERT_EQ(powerCycle(L"Nerel A1(3V)"), 0);
    EXPECT_EQ(chip().mainArea[0], 0x42);
    ASSERT_EQ(powerCycle(L"Nerel A2(3V)"), 0);
    EXPECT_EQ(chip().chipIndex, chipIndexOf(L"Nerel A2(3V)"));
    EXPECT_EQ(chip().mainArea[0], 0xFF) << "a fresh chip";
}

TEST_F(SimulatedTargetTest, PartsWithOneIdGetTheLargestChip) {
    start();
    ASSERT_EQ(setUp(L"Nerel D6"), 0); // 96 KB, but its ID is shared with 256 KB parts
    EXPECT_EQ(chip().mainArea.size(), 262144u);
}

TEST_F(SimulatedTargetTest, AFixedPartAnswersOnlyToItsOwnId) {
    sim::SimulatorOptions options;
    options.fixedChipIndex = chipIndexOf(L"Nerel A2(3V)");
    start(options);
    EXPECT_EQ(setUp(L"Nerel A1(3V)"), 5);
    EXPECT_FALSE(writer().state().chip.has_value());
    EXPECT_EQ(setUp(L"Nerel A2(5V)"), 0) << "the 5 V twin reports the same ID";
    EXPECT_EQ(chip().chipIndex, chipIndexOf(L"Nerel A2(3V)"));
}

TEST_F(SimulatedTargetTest, NothingIsReadWithoutAPoweredTarget) {
    start();
    ASSERT_EQ(setUp(L"Nerel A1(3V)"), 0);
    EXPECT_EQ(write(command::kWriteMainArea, 0, {0x42}), 0);
    ASSERT_EQ(endOfTarget(), link_code::kDone);
    EXPECT_EQ(read(command::kReadMainArea, 0, 1), (std::vector<uint8_t>{0}));
    EXPECT_NE(write(command::kWriteMainArea, 0, {0x00}), 0);
}

TEST_F(SimulatedTargetTest, AnswersUnknownCommandsWithAFailure) {
    start();
    const StatusExchange exchange = commandExchange(commandFrame(0x0F0F, FrameTag::fresh()));
    ASSERT_TRUE(exchange.hasStatus());
    EXPECT_NE(exchange.statusWord, 0);
}

} // namespace
} // namespace zephlin
