#include "buffer/core/intel_hex_converter.h"
#include "hex_text_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephlin {
namespace {

using namespace zephlin::testing;
using Bytes = std::vector<uint8_t>;

constexpr uint64_t kArea = 64 * 1024;

HexConversion convert(const std::string& text, uint64_t capacity = kArea) {
    return convertIntelHex(bytesOf(text), capacity);
}

Bytes sequence(uint8_t first, std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(first + i);
    }
    return bytes;
}

TEST(IntelHexConverter, GapsBetweenRecordsAre0xFF) {
    const auto result = convert(dataRecord(0x0000, sequence(0, 16)) +
                                dataRecord(0x0020, sequence(0x20, 16)) + endOfFile());
    ASSERT_EQ(result.status, HexConversionStatus::Converted);
    ASSERT_EQ(result.image.size(), 48u);
    EXPECT_EQ(result.image[0x0F], 0x0F);
    for (std::size_t i = 0x10; i < 0x20; ++i) {
        EXPECT_EQ(result.image[i], 0xFF) << i;
    }
    EXPECT_EQ(result.image[0x20], 0x20);
    EXPECT_EQ(result.image[0x2F], 0x2F);
}

TEST(IntelHexConverter, TheImageStartsAtTheLowestDataAddress) {
    const std::string body = dataRecord(0x0100, {1, 2}) + dataRecord(0x0000, {9});
    const auto plain = convert(body);
    const auto linked = convert(linearBase(0x0800) + body);
    const auto segmented = convert(hexRecord(2, 0, {0x10, 0x00}) + body);
    EXPECT_EQ(plain.image.size(), 0x102u);
    EXPECT_EQ(plain.image[0], 9);
    EXPECT_EQ(plain.image[0x100], 1);
    EXPECT_EQ(linked.image, plain.image);
    EXPECT_EQ(segmented.image, plain.image);

    const auto high = convert(linearBase(0x0800) + dataRecord(0x0010, {5, 6}));
    EXPECT_EQ(high.image, (Bytes{5, 6}));
}

TEST(IntelHexConverter, ExtendedBasesAddUpAcrossRecords) {
    const auto result =
        convert(dataRecord(0xFFFF, {1}) + linearBase(0x0001) + dataRecord(0x0000, {2}) +
                hexRecord(2, 0, {0x10, 0x00}) + dataRecord(0x0001, {3}));
    // Addresses 0xFFFF, 0x10000 and 0x10001 (segment 0x1000 * 16 + 1).
    EXPECT_EQ(result.image, (Bytes{1, 2, 3}));
}

TEST(IntelHexConverter, MalformedBaseRecordsAreIgnored) {
    const auto result = convert(hexRecord(4, 0x0002, {0x00, 0x01}) + hexRecord(4, 0, {1, 2, 3}) +
                                dataRecord(0x0004, {7}) + dataRecord(0x0002, {8}));
    EXPECT_EQ(result.image, (Bytes{8, 0xFF, 7}));
}

// An image cut short at a damaged record would be programmed as if whole:
// the file is refused and the line named.
TEST(IntelHexConverter, ABadChecksumRefusesTheFileAndNamesTheLine) {
    const auto result = convert(dataRecord(0, {1}) + dataRecord(1, {2}) + hexRecord(0, 2, {3}, 1) +
                                dataRecord(3, {4}));
    EXPECT_EQ(result.status, HexConversionStatus::Damaged);
    EXPECT_TRUE(result.image.empty());
    ASSERT_TRUE(result.damaged.has_value());
    EXPECT_EQ(result.damaged->line, 3u);
    EXPECT_EQ(result.damaged->damage, hex::RecordDamage::Checksum);
    // Lines are counted as an editor shows them: CR LF ends one line, and
    // skipped or empty lines count.
    const auto crLf = convert("; header\r\n\r\n:0100000001FE\r\n:0100010055AA\r\n");
    ASSERT_TRUE(crLf.damaged.has_value());
    EXPECT_EQ(crLf.damaged->line, 4u);
    // What follows an end-of-file record is never read.
    EXPECT_EQ(convert(dataRecord(0, {1}) + endOfFile() + hexRecord(0, 2, {3}, 1)).status,
              HexConversionStatus::Converted);
}

TEST(IntelHexConverter, StartAddressesChangeNothingEndOfFileAndUnknownTypesEnd) {
    EXPECT_EQ(convert(dataRecord(0, {1}) + hexRecord(5, 0, {0, 0, 1, 0}) +
                      hexRecord(3, 0, {0, 0, 1, 0}) + dataRecord(1, {2}))
                  .image,
              (Bytes{1, 2}));
    EXPECT_EQ(convert(dataRecord(0, {1}) + endOfFile() + dataRecord(1, {2})).image, (Bytes{1}));
    EXPECT_EQ(convert(dataRecord(0, {1}) + hexRecord(6, 0, {}) + dataRecord(1, {2})).image,
              (Bytes{1}));
}

TEST(IntelHexConverter, LaterRecordsOverwriteEarlierOnes) {
    EXPECT_EQ(convert(dataRecord(0, {1, 2, 3}) + dataRecord(1, {9})).image, (Bytes{1, 9, 3}));
}

TEST(IntelHexConverter, LinesMayEndAnyWayAndOtherLinesAreSkipped) {
    const std::string text = "; comment\n:0100000001FE\r\r\n\n  :0100010055A9\n:0100020003FA";
    EXPECT_EQ(convert(text).image, (Bytes{1, 0xFF, 3}));
    const std::string lower = ":0100000001fe\n:02000100abcd85";
    EXPECT_EQ(convert(lower).image, (Bytes{1, 0xAB, 0xCD}));
}

TEST(IntelHexConverter, TextWithoutDataGivesNoData) {
    EXPECT_EQ(convert("").status, HexConversionStatus::NoData);
    EXPECT_EQ(convert("garbage\n").status, HexConversionStatus::NoData);
    EXPECT_EQ(convert(linearBase(0x0800) + endOfFile()).status, HexConversionStatus::NoData);
    EXPECT_EQ(convert(hexRecord(0, 0, {}, 1)).status, HexConversionStatus::Damaged);
}

TEST(IntelHexConverter, ASpanBeyondTheCapacityIsRefusedWithoutBuildingIt) {
    const std::string exact = dataRecord(0, {1}) + dataRecord(0x0FFF, {2});
    EXPECT_EQ(convert(exact, 0x1000).image.size(), 0x1000u);
    EXPECT_EQ(convert(exact, 0x0FFF).status, HexConversionStatus::TooLarge);

    // 0x0000 and 0xFFFF0000: almost 4 GB apart.
    const auto far = convert(dataRecord(0, {1}) + linearBase(0xFFFF) + dataRecord(0xFFFF, {2}));
    EXPECT_EQ(far.status, HexConversionStatus::TooLarge);
    EXPECT_TRUE(far.image.empty());
}

TEST(IntelHexConverter, MalformedLinesNeverReadOutOfBoundsAndAreRefused) {
    // An odd character count, a count larger than the line, an overlong line.
    EXPECT_EQ(convert(dataRecord(0, {1}) + ":0100010002F").damaged->damage,
              hex::RecordDamage::Checksum);
    EXPECT_EQ(convert(dataRecord(0, {1}) + ":10000100EF\n").damaged->damage,
              hex::RecordDamage::ShorterThanItsCount);
    const auto overlong =
        convert(dataRecord(0, {1}) + ":" + std::string(600, '0') + "\n" + dataRecord(1, {2}));
    EXPECT_EQ(overlong.damaged->damage, hex::RecordDamage::TooLong);
    EXPECT_EQ(overlong.damaged->line, 2u);
    EXPECT_EQ(convert(":").damaged->damage, hex::RecordDamage::ShorterThanItsCount);
    // A lone last character after a whole record is dropped.
    EXPECT_EQ(convert(":0100000001FE0").image, (Bytes{1}));
}

} // namespace
} // namespace zephlin
