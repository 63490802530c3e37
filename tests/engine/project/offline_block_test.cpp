#include "project/offline_block.h"

#include "project_test_support.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <random>

namespace zephlin::project {
namespace {

using testing::contextFor;
using testing::firstIndexOfType;

// A context with every off-line field set to something recognisable.
std::unique_ptr<ZephlinContext> productionContext(int32_t chipIndex) {
    auto context = contextFor(chipIndex);
    context->codeStart = 0;
    context->codeSize = 0x1234;
    context->codeChecksum = 0xABCD;
    context->dataStart = 0x10;
    context->dataSize = 0x200;
    context->dataChecksum = 0x4455;
    context->stepFlags = ZEPHLIN_STEP_IN_SEQUENCE | 0x1F;
    context->offlineFlags = ZEPHLIN_OFFLINE_SERIAL_ENABLED | ZEPHLIN_OFFLINE_AUTO_INCREMENT;
    context->serialAddress = 0x7FF0;
    std::fill(std::begin(context->serialString), std::end(context->serialString), 0xFF);
    std::copy_n("SN-", 3, context->serialString);
    context->serialNumber = 0x01020304;
    context->maxCounter = 500;
    return context;
}

// What the writer answers the info read with: the stored block, then erased
// store.
std::vector<uint8_t> storedInfo(const std::vector<uint8_t>& block) {
    std::vector<uint8_t> info(kOfflineInfoBytes, 0xFF);
    std::copy(block.begin(), block.end(), info.begin());
    return info;
}

struct InfoLayoutOffsets {
    std::size_t currentNumber;
    std::size_t currentCounter;
};

void reseal(std::vector<uint8_t>& info, std::size_t currentNumberAt, std::size_t counterAt) {
    const std::size_t length = loadLe16(info, 2);
    auto sum = static_cast<uint16_t>(checksum16(std::span(info).subspan(2, length - 2)) -
                                     checksum16(std::span(info).subspan(currentNumberAt, 4)) -
                                     checksum16(std::span(info).subspan(counterAt, 2)));
    storeLe16(info, 0, sum);
}

TEST(OfflineSettingsBlock, FormatFourForSixOptionWords) {
    const int32_t type27 = firstIndexOfType(27);
    const ChipRecord& chip = *findChip(type27);
    const auto context = productionContext(type27);
    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*context).value();
    ASSERT_EQ(block.size(), 97u);
    EXPECT_EQ(loadLe16(block, 0), checksum16(std::span(block).subspan(2)));
    EXPECT_EQ(loadLe16(block, 2), 97u);
    EXPECT_EQ(block[4], 4);
    EXPECT_EQ(loadLe16(block, 5), chip.chipId);
    EXPECT_EQ(loadLe32(block, 7), chip.deviceId); // all 32 bits for chip type 27
    EXPECT_EQ(loadLe32(block, 11), 0u);
    EXPECT_EQ(loadLe32(block, 19), 0x1234u);
    EXPECT_EQ(loadLe16(block, 23), 0xABCDu);
    EXPECT_EQ(loadLe32(block, 25), 0x10u);
    EXPECT_EQ(loadLe32(block, 29), 0x200u);
    EXPECT_EQ(loadLe16(block, 33), 0x4455u);
    EXPECT_EQ(block[35], 0x1F);
    EXPECT_EQ(block[36], 0x03);
    EXPECT_EQ(loadLe32(block, 37), 0x7FF0u);
    EXPECT_EQ(block[41], 'S');
    EXPECT_EQ(block[52], 0xFF);
    EXPECT_EQ(loadLe32(block, 53), 0x01020304u);
    EXPECT_EQ(loadLe32(block, 57), 0u);
    EXPECT_EQ(loadLe16(block, 61), 500u);
    EXPECT_EQ(loadLe16(block, 63), 0u);
    EXPECT_EQ(loadLe16(block, 65), 0u);
    EXPECT_EQ(loadLe32(block, 67), chip.parameterWord);
    EXPECT_EQ(block[71], 27);
    EXPECT_EQ(block[72], 24);
    EXPECT_EQ(loadLe32(block, 73), buildOptionWords(*context)[0]);
}

TEST(OfflineSettingsBlock, ShortDeviceIdCarriesFiveInItsThirdByte) {
    const auto context = productionContext(0); // chip type 1, device ID 0xC010
    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*context).value();
    EXPECT_EQ(loadLe32(block, 7), 0x0005C010u);
}

TEST(OfflineSettingsBlock, ChipChecksumWordMakesNineWords) {
    const int32_t type4 = firstIndexOfType(4);
    const auto context = productionContext(type4);
    context->stepFlags = ZEPHLIN_STEP_IN_SEQUENCE | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM;
    context->codeAreaChecksum = 0x1234;
    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*context).value();
    ASSERT_EQ(block.size(), 73u + 36u);
    EXPECT_EQ(block[72], 36);
    EXPECT_EQ(loadLe32(block, 73 + 32), 0xFFFF1234u);
}

TEST(OfflineSettingsBlock, FormatTwoHasNoDataFields) {
    const int32_t type14 = firstIndexOfType(14);
    const auto context = productionContext(type14);
    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*context).value();
    ASSERT_EQ(block.size(), 63u + 16u);
    EXPECT_EQ(block[4], 2);
    EXPECT_EQ(block[25], 0x1F);
    EXPECT_EQ(loadLe32(block, 43), 0x01020304u);
    EXPECT_EQ(block[61], 14);
    EXPECT_EQ(block[62], 16);
    EXPECT_EQ(loadLe16(block, 0), checksum16(std::span(block).subspan(2)));
}

TEST(OfflineSettingsBlock, FormatFollowsTheChipType) {
    for (const uint8_t chipType : {1, 4, 17, 18, 19, 21, 27}) {
        EXPECT_EQ(offlineBlockFormatOf(chipType), 4) << int{chipType};
    }
    for (const uint8_t chipType : {13, 14, 16}) {
        EXPECT_EQ(offlineBlockFormatOf(chipType), 2) << int{chipType};
    }
    EXPECT_FALSE(offlineBlockFormatOf(99).has_value());
    EXPECT_FALSE(buildOfflineSettingsBlock(*contextFor(-1)).has_value());
}

TEST(OfflineInfo, StoredBlocksOfBothFormatsUnpackIntoTheContext) {
    for (const uint8_t chipType : {27, 16}) {
        const int32_t index = firstIndexOfType(chipType);
        const auto sent = productionContext(index);
        sent->checkSettings[0] = 1;
        const std::vector<uint8_t> info = storedInfo(buildOfflineSettingsBlock(*sent).value());
        const auto read = contextFor(0);
        ASSERT_EQ(unpackOfflineInfo(info, *read), ZEPHLIN_RESULT_PASS) << int{chipType};
        EXPECT_EQ(read->chipIndex, index);
        EXPECT_EQ(read->codeSize, 0x1234u);
        EXPECT_EQ(read->codeChecksum, 0xABCD);
        EXPECT_EQ(read->dataSize, chipType == 27 ? 0x200u : 0u);
        EXPECT_EQ(read->stepFlags, 0x1F);
        EXPECT_EQ(read->offlineFlags, 0x03);
        EXPECT_EQ(read->serialAddress, 0x7FF0u);
        EXPECT_TRUE(std::equal(std::begin(read->serialString), std::end(read->serialString),
                               std::begin(sent->serialString)));
        EXPECT_EQ(read->serialNumber, 0x01020304u);
        EXPECT_EQ(read->maxCounter, 500u);
        EXPECT_EQ(read->checkSettings[0], 1u);
    }
}

TEST(OfflineInfo, WriterCountersDoNotBreakTheChecksumButOtherBytesDo) {
    const int32_t type27 = firstIndexOfType(27);
    const std::vector<uint8_t> block =
        buildOfflineSettingsBlock(*productionContext(type27)).value();
    std::vector<uint8_t> info = storedInfo(block);
    storeLe32(info, 57, 0x01020310); // current number
    storeLe16(info, 63, 12);         // current counter
    const auto read = contextFor(0);
    ASSERT_EQ(unpackOfflineInfo(info, *read), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->currentNumber, 0x01020310u);
    EXPECT_EQ(read->currentCounter, 12u);

    for (std::size_t i = 2; i < block.size(); ++i) {
        if ((i >= 57 && i < 61) || (i >= 63 && i < 65)) {
            continue;
        }
        std::vector<uint8_t> changed = info;
        changed[i] ^= 0x10;
        const auto untouched = contextFor(7);
        EXPECT_EQ(unpackOfflineInfo(changed, *untouched), ZEPHLIN_RESULT_CHECKSUM_ERROR) << i;
        EXPECT_EQ(untouched->chipIndex, 7);
        EXPECT_EQ(untouched->codeSize, 0u);
    }
}

TEST(OfflineInfo, ErasedStoreIsEmptyAndShortReadsAreReadErrors) {
    const auto read = contextFor(3);
    EXPECT_EQ(unpackOfflineInfo(std::vector<uint8_t>(256, 0xFF), *read), ZEPHLIN_RESULT_INFO_EMPTY);
    std::vector<uint8_t> erasedHead(256, 0x00);
    std::fill_n(erasedHead.begin(), 5, 0xFF);
    EXPECT_EQ(unpackOfflineInfo(erasedHead, *read), ZEPHLIN_RESULT_INFO_EMPTY);
    EXPECT_EQ(unpackOfflineInfo(std::vector<uint8_t>(255, 0xFF), *read), ZEPHLIN_RESULT_READ_ERROR);
    EXPECT_EQ(read->chipIndex, 3);
}

TEST(OfflineInfo, FormatsOneAndThreeAreReadAndOthersRefused) {
    // A format-1 block for a part with 2 option words (chip type 16).
    const int32_t type16 = firstIndexOfType(16);
    std::vector<uint8_t> info(256, 0x00);
    storeLe16(info, 2, 58 + 8);
    info[4] = 1;
    storeLe16(info, 5, findChip(type16)->chipId);
    storeLe32(info, 14, 0x800);
    info[20] = 0x04;
    storeLe32(info, 38, 77);
    storeLe16(info, 46, 9);
    info[57] = 8;
    storeLe32(info, 58, 0xFFFFFFFE); // SWDP checked
    storeLe32(info, 62, 0xFFF12345);
    reseal(info, 42, 48);
    const auto read = contextFor(0);
    ASSERT_EQ(unpackOfflineInfo(info, *read), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->chipIndex, type16);
    EXPECT_EQ(read->codeSize, 0x800u);
    EXPECT_EQ(read->stepFlags, 0x04);
    EXPECT_EQ(read->serialNumber, 77u);
    EXPECT_EQ(read->maxCounter, 9u);
    EXPECT_EQ(read->checkSettings[0], 1u);
    EXPECT_EQ(read->selectSettings[6], 0x12345u);

    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*productionContext(0)).value();
    std::vector<uint8_t> format3 = storedInfo(block);
    format3[4] = 3;
    reseal(format3, 57, 63);
    EXPECT_EQ(unpackOfflineInfo(format3, *contextFor(0)), ZEPHLIN_RESULT_PASS);

    std::vector<uint8_t> format5 = storedInfo(block);
    format5[4] = 5;
    const std::size_t length = loadLe16(format5, 2);
    storeLe16(format5, 0, checksum16(std::span(format5).subspan(2, length - 2)));
    EXPECT_EQ(unpackOfflineInfo(format5, *contextFor(0)), ZEPHLIN_RESULT_FAIL);
}

TEST(OfflineInfo, UnknownChipIdKeepsThePartOfTheContext) {
    const int32_t type27 = firstIndexOfType(27);
    std::vector<uint8_t> info =
        storedInfo(buildOfflineSettingsBlock(*productionContext(type27)).value());
    storeLe16(info, 5, 0x7777);
    reseal(info, 57, 63);
    const auto read = contextFor(type27 + 1); // the 5 V twin, also 6 words
    ASSERT_EQ(unpackOfflineInfo(info, *read), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->chipIndex, type27 + 1);
}

// Blocks whose lengths do not fit what the writer delivered are refused and
// never read beyond the 256 bytes.
TEST(OfflineInfo, LengthsPastTheDeliveredBytesAreRefused) {
    const std::vector<uint8_t> block = buildOfflineSettingsBlock(*productionContext(0)).value();
    struct Case {
        const char* what;
        std::size_t offset;
        std::size_t width;
        uint32_t value;
        uint16_t expected;
    };
    const Case cases[] = {
        {"length past 256", 2, 2, 0x0101, ZEPHLIN_RESULT_CHECKSUM_ERROR},
        {"length 0xFFFF", 2, 2, 0xFFFF, ZEPHLIN_RESULT_CHECKSUM_ERROR},
        {"option bytes past the block", 72, 1, 0xFF, ZEPHLIN_RESULT_FAIL},
        {"option bytes fewer than the part's words", 72, 1, 28, ZEPHLIN_RESULT_FAIL},
        {"length shorter than the fixed fields", 2, 2, 40, ZEPHLIN_RESULT_FAIL},
        {"length 0", 2, 2, 0, ZEPHLIN_RESULT_FAIL},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> info = storedInfo(block);
        storeLittleEndian(info, c.offset, c.width, c.value);
        const std::size_t length = std::min<std::size_t>(loadLe16(info, 2), 256);
        auto sum = static_cast<uint16_t>(
            (length > 2 ? checksum16(std::span(info).subspan(2, length - 2)) : 0) -
            checksum16(std::span(info).subspan(57, 4)) -
            checksum16(std::span(info).subspan(63, 2)));
        storeLe16(info, 0, sum);
        const auto read = contextFor(9);
        EXPECT_EQ(unpackOfflineInfo(info, *read), c.expected) << c.what;
        EXPECT_EQ(read->chipIndex, 9) << c.what;
    }
}

} // namespace
} // namespace zephlin::project

namespace zephlin::project {
namespace {

TEST(OfflineInfo, RandomDamageAlwaysEndsWithAResultCode) {
    const std::vector<uint8_t> info =
        storedInfo(buildOfflineSettingsBlock(*productionContext(firstIndexOfType(27))).value());
    std::minstd_rand random(11);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> damaged = info;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < changes; ++k) {
            damaged[random() % 80] = static_cast<uint8_t>(random());
        }
        if (round % 2 == 0) {
            const std::size_t length = loadLe16(damaged, 2);
            const InfoLayoutOffsets counters = damaged[4] == 1   ? InfoLayoutOffsets{42, 48}
                                               : damaged[4] == 2 ? InfoLayoutOffsets{47, 53}
                                                                 : InfoLayoutOffsets{57, 63};
            if (length > 2 && length <= 256) {
                reseal(damaged, counters.currentNumber, counters.currentCounter);
            }
        }
        const auto read = contextFor(0);
        uint16_t code = 0;
        ASSERT_NO_THROW(code = unpackOfflineInfo(damaged, *read));
        EXPECT_TRUE(code == ZEPHLIN_RESULT_PASS || code == ZEPHLIN_RESULT_FAIL ||
                    code == ZEPHLIN_RESULT_CHECKSUM_ERROR || code == ZEPHLIN_RESULT_INFO_EMPTY)
            << code;
    }
}

} // namespace
} // namespace zephlin::project
