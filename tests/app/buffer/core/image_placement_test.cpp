#include "buffer/core/image_placement.h"
#include "buffer/core/load_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephlin {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ImagePlacement, ReplaceStartsFrom0xFFAndPlacesTheImageAtTheAddress) {
    const auto placed =
        placeImage(Bytes{9, 9, 9, 9, 9, 9}, true, 2, Bytes{1, 2}, FillMode::None, 16);
    EXPECT_EQ(placed, (Bytes{0xFF, 0xFF, 1, 2}));
}

TEST(ImagePlacement, MergeKeepsTheOldBytesAndPadsTheGap) {
    EXPECT_EQ(placeImage(Bytes{1, 2}, false, 4, Bytes{7}, FillMode::None, 16),
              (Bytes{1, 2, 0xFF, 0xFF, 7}));
    EXPECT_EQ(placeImage(Bytes{1, 2, 3, 4}, false, 1, Bytes{7}, FillMode::None, 16),
              (Bytes{1, 7, 3, 4}));
}

TEST(ImagePlacement, FillExtendsFromTheEndAndLeavesTheGapAt0xFF) {
    const auto placed = placeImage({}, true, 0x100, Bytes(0x10, 0xAA), FillMode::Zeros, 0x400);
    ASSERT_TRUE(placed);
    ASSERT_EQ(placed->size(), 0x400u);
    EXPECT_EQ((*placed)[0], 0xFF);
    EXPECT_EQ((*placed)[0xFF], 0xFF);
    EXPECT_EQ((*placed)[0x100], 0xAA);
    EXPECT_EQ((*placed)[0x10F], 0xAA);
    EXPECT_EQ((*placed)[0x110], 0x00);
    EXPECT_EQ((*placed)[0x3FF], 0x00);
    const auto ones = placeImage({}, true, 0, Bytes{1}, FillMode::Ones, 4);
    EXPECT_EQ(ones, (Bytes{1, 0xFF, 0xFF, 0xFF}));
}

TEST(ImagePlacement, AnImageMustFitTheAreaWithoutWrapAround) {
    EXPECT_TRUE(placeImage({}, true, 0, Bytes(16, 0), FillMode::None, 16));
    EXPECT_FALSE(placeImage({}, true, 0, Bytes(17, 0), FillMode::None, 16));
    EXPECT_FALSE(placeImage({}, true, 1, Bytes(16, 0), FillMode::None, 16));
    EXPECT_FALSE(placeImage({}, true, 0xFFFFFFFFu, Bytes(2, 0), FillMode::None, 16));
    EXPECT_TRUE(placeImage(Bytes(16, 1), false, 16, {}, FillMode::None, 16));
}

TEST(LoadStates, FollowTheTransitionsOfLoadsAndInserts) {
    EXPECT_EQ(stateAfterLoad(LoadState::Empty, false), LoadState::SingleFile);
    EXPECT_EQ(stateAfterLoad(LoadState::SingleFile, false), LoadState::Mixed);
    EXPECT_EQ(stateAfterLoad(LoadState::Mixed, false), LoadState::Mixed);
    EXPECT_EQ(stateAfterLoad(LoadState::Dumped, false), LoadState::SingleFile);
    EXPECT_EQ(stateAfterLoad(LoadState::IspOnly, false), LoadState::Mixed);
    for (const LoadState before : {LoadState::Empty, LoadState::SingleFile, LoadState::Mixed,
                                   LoadState::Dumped, LoadState::IspOnly}) {
        EXPECT_EQ(stateAfterLoad(before, true), LoadState::SingleFile);
    }
    EXPECT_EQ(stateAfterIspInsert(LoadState::Empty), LoadState::IspOnly);
    EXPECT_EQ(stateAfterIspInsert(LoadState::IspOnly), LoadState::IspOnly);
    EXPECT_EQ(stateAfterIspInsert(LoadState::SingleFile), LoadState::Mixed);
    EXPECT_EQ(stateAfterIspInsert(LoadState::Dumped), LoadState::Mixed);
    EXPECT_TRUE(loadReplaces(LoadState::Dumped));
    EXPECT_FALSE(loadReplaces(LoadState::IspOnly));
    EXPECT_TRUE(reloadable(LoadState::Mixed));
    EXPECT_FALSE(reloadable(LoadState::IspOnly));
}

} // namespace
} // namespace zephlin
