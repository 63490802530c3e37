#include "buffer/core/hex_clipboard_block.h"
#include "buffer/core/hex_row_text.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zephlin {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(HexRowText, AddressesHaveAtLeastTheirDigits) {
    EXPECT_EQ(addressText(0, 6), "000000");
    EXPECT_EQ(addressText(0x10, 6), "000010");
    EXPECT_EQ(addressText(0x3FFF0, 6), "03FFF0");
    EXPECT_EQ(addressText(0xABCDEF, 8), "00ABCDEF");
    EXPECT_EQ(addressText(0x1234567, 6), "1234567");
}

TEST(HexRowText, BytePairsAndCharacters) {
    EXPECT_EQ(hexRowText(Bytes{0x01, 0xAB, 0xFF}), "01 AB FF");
    EXPECT_EQ(hexRowText(Bytes{0x0F}), "0F");
    EXPECT_EQ(hexRowText(Bytes{}), "");
    EXPECT_EQ(asciiRowText(Bytes{0x1F, 0x20, 'A', 0x7E, 0x7F, 0x80, 0xFF, 0x00}), ". A~....");
}

Bytes counting(std::size_t length) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

TEST(HexRowText, ShortSelectionsStartAtColumnZero) {
    EXPECT_EQ(selectionCopyText(Bytes{0x01, 0xAB, 0xFF}, 0, 2, 16), "01 AB FF\n");
    const Bytes data = counting(64);
    // Three bytes from the middle of a row.
    EXPECT_EQ(selectionCopyText(data, 5, 7, 16), "05 06 07\n");
    // One row and a byte (B + 1) breaks after B bytes, not at the row end.
    EXPECT_EQ(selectionCopyText(data, 5, 21, 16),
              "05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14\n15\n");
    EXPECT_EQ(selectionCopyText(data, 5, 9, 4), "05 06 07 08\n09\n");
}

TEST(HexRowText, LongSelectionsFollowTheEditorsRows) {
    const Bytes data = counting(64);
    // Six bytes from column 2 of rows of 4: the first row is indented.
    EXPECT_EQ(selectionCopyText(data, 2, 7, 4), "      02 03\n04 05 06 07\n");
    EXPECT_EQ(selectionCopyText(data, 1, 10, 4), "   01 02 03\n04 05 06 07\n08 09 0A\n");
    EXPECT_EQ(selectionCopyText(data, 0, 9, 4), "00 01 02 03\n04 05 06 07\n08 09\n");
}

TEST(HexRowText, InvalidRangesGiveNoText) {
    const Bytes data = counting(4);
    EXPECT_EQ(selectionCopyText(data, 2, 1, 16), "");
    EXPECT_EQ(selectionCopyText(data, 0, 4, 16), "");
    EXPECT_EQ(selectionCopyText(Bytes{}, 0, 0, 16), "");
}

TEST(BinaryDataBlock, CountThenBytes) {
    EXPECT_EQ(encodeBinaryDataBlock(Bytes{0x01, 0xAB, 0xFF}),
              (Bytes{0x03, 0x00, 0x00, 0x00, 0x01, 0xAB, 0xFF}));
    EXPECT_EQ(encodeBinaryDataBlock(Bytes{}), (Bytes{0, 0, 0, 0}));
    const Bytes large = encodeBinaryDataBlock(Bytes(0x10203, 0x55));
    EXPECT_EQ(Bytes(large.begin(), large.begin() + 4), (Bytes{0x03, 0x02, 0x01, 0x00}));
}

Bytes decoded(const Bytes& block) {
    const auto bytes = decodeBinaryDataBlock(block);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? Bytes(bytes->begin(), bytes->end()) : Bytes{};
}

TEST(BinaryDataBlock, DecodingTrustsNoCount) {
    EXPECT_EQ(decoded({0x03, 0x00, 0x00, 0x00, 0x01, 0xAB, 0xFF}), (Bytes{0x01, 0xAB, 0xFF}));
    // A count beyond the block gives the bytes that are there.
    EXPECT_EQ(decoded({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02}), (Bytes{0x01, 0x02}));
    // Bytes after the counted ones are not part of the block.
    EXPECT_EQ(decoded({0x01, 0x00, 0x00, 0x00, 0x01, 0x02}), (Bytes{0x01}));
    EXPECT_EQ(decoded({0x00, 0x00, 0x00, 0x00}), Bytes{});
    EXPECT_FALSE(decodeBinaryDataBlock(Bytes{0x01, 0x00, 0x00}).has_value());
    EXPECT_FALSE(decodeBinaryDataBlock(Bytes{}).has_value());
}

} // namespace
} // namespace zephlin
