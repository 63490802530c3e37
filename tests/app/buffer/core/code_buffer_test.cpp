#include "buffer/core/buffer_edit_modes.h"
#include "buffer/core/code_buffer.h"
#include "buffer/core/image_hand_over.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephlin {
namespace {

struct CodeBufferTest : ::testing::Test {
    MemoryAreaStorage main;
    MemoryAreaStorage second;
    CodeBuffer buffer{main, second};
};

TEST_F(CodeBufferTest, PageInformationOfAnEmptyAndAFilledArea) {
    buffer.resetForPart(32 * 1024, 0);
    EXPECT_EQ(buffer.information(kMainPage), (PageInformation{L"0", L"0000", L"8000"}));

    buffer.resetForPart(64 * 1024, 0);
    const std::vector<uint8_t> ones(16, 0x01);
    ASSERT_TRUE(buffer.setArea(kMainPage, ones));
    EXPECT_EQ(buffer.information(kMainPage), (PageInformation{L"16", L"0010", L"F020"}));
}

TEST_F(CodeBufferTest, SumsAreKeptTo16Bits) {
    const std::vector<uint8_t> bytes(300, 0xFF);
    EXPECT_EQ(checksum16(bytes), static_cast<uint16_t>(300 * 0xFF));
    EXPECT_EQ(checksum16({}), 0);
    EXPECT_EQ(areaChecksum16(bytes, 100),
              static_cast<uint16_t>(100 * 0xFF)); // only the area counts
    EXPECT_EQ(areaChecksum16({}, 256 * 1024), static_cast<uint16_t>(256 * 1024 * 0xFFull));
}

TEST_F(CodeBufferTest, APartChangeEmptiesBothPagesAndTheirRecords) {
    buffer.resetForPart(1024, 1024);
    const std::vector<uint8_t> bytes{1, 2, 3};
    buffer.setArea(kMainPage, bytes);
    buffer.setArea(kSecondPage, bytes);
    buffer.loadRecord(kMainPage) = {LoadState::Mixed, FillMode::Zeros, L"/a.hex", L"HEX"};
    buffer.loadRecord(kSecondPage).state = LoadState::Dumped;
    buffer.setLoadAddress(0x100);
    EXPECT_TRUE(buffer.anyPageLoaded());

    buffer.resetForPart(2048, 0);
    EXPECT_EQ(buffer.length(kMainPage), 0u);
    EXPECT_EQ(buffer.length(kSecondPage), 0u);
    EXPECT_EQ(buffer.loadRecord(kMainPage).state, LoadState::Empty);
    EXPECT_EQ(buffer.loadRecord(kMainPage).fillMode, FillMode::None);
    EXPECT_TRUE(buffer.loadRecord(kMainPage).filePath.empty());
    EXPECT_EQ(buffer.loadAddress(), 0u);
    EXPECT_FALSE(buffer.anyPageLoaded());
    EXPECT_FALSE(buffer.hasSecondArea());
}

TEST_F(CodeBufferTest, ABufferNeverExceedsItsArea) {
    buffer.resetForPart(4, 0);
    const std::vector<uint8_t> five(5, 0);
    EXPECT_FALSE(buffer.setArea(kMainPage, five));
    EXPECT_EQ(buffer.length(kMainPage), 0u);
    EXPECT_FALSE(buffer.setArea(kSecondPage, five));
}

TEST(ImageHandOver, CopiesTheBuffersAndClearsThePointersAfterwards) {
    ZephlinContext record{};
    {
        ImageHandOver handOver(record);
        handOver.passMainArea(std::vector<uint8_t>(16, 0x01));
        handOver.skipSecondArea();
        handOver.setCodeAreaChecksum(64 * 1024);
        ASSERT_NE(record.codeImage, nullptr);
        EXPECT_EQ(record.codeImage[15], 0x01);
        EXPECT_EQ(record.codeSize, 16u);
        EXPECT_EQ(record.codeStart, 0u);
        EXPECT_EQ(record.codeChecksum, 0x0010);
        EXPECT_EQ(record.codeAreaChecksum, 0xF020);
        EXPECT_EQ(record.dataImage, nullptr);
        EXPECT_EQ(record.dataSize, 0u);
    }
    EXPECT_EQ(record.codeImage, nullptr);

    ImageHandOver secondOnly(record);
    secondOnly.skipMainArea();
    secondOnly.passSecondArea({0x10, 0x20});
    secondOnly.setCodeAreaChecksum(32 * 1024);
    EXPECT_EQ(record.codeAreaChecksum, 0x8000); // 0xFF over the whole main area
    EXPECT_EQ(record.dataSize, 2u);
    EXPECT_EQ(record.dataChecksum, 0x0030);
}

TEST(BufferEditModes, ModifyAndAutoReloadExcludeEachOther) {
    BufferEditModes modes;
    EXPECT_FALSE(modes.editable());
    EXPECT_EQ(modes.background(), kReadOnlyBackground);
    modes.setModifyEnabled(true);
    EXPECT_EQ(modes.background(), 0xFFFFFFu);
    EXPECT_FALSE(modes.autoReloadBoxEnabled());
    modes.setModifyEnabled(false);
    EXPECT_TRUE(modes.autoReloadBoxEnabled());

    EXPECT_FALSE(modes.setAutoReload(true, LoadState::Empty));
    EXPECT_FALSE(modes.modifyBoxEnabled());
    EXPECT_FALSE(modes.reloadsOnActivate(LoadState::Dumped));
    EXPECT_TRUE(modes.reloadsOnActivate(LoadState::Mixed));
    EXPECT_FALSE(modes.setAutoReload(false, LoadState::SingleFile));
    EXPECT_TRUE(modes.setAutoReload(true, LoadState::SingleFile));
    modes.setAutoReload(false, LoadState::SingleFile);
    EXPECT_TRUE(modes.modifyBoxEnabled());
    EXPECT_FALSE(modes.reloadsOnActivate(LoadState::SingleFile));
}

} // namespace
} // namespace zephlin
