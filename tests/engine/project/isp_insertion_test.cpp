#include "project/isp_hex_image.h"
#include "project/isp_insertion.h"

#include "project_test_support.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zephlin::project {
namespace {

using testing::contextFor;
using testing::firstIndexOfType;
using testing::patternImage;

constexpr int32_t kNerelA1 = 0; // chip type 1, 32 KB, ISP unit 1024 bytes

// A caller's target buffer of the area's capacity holding size used bytes.
struct Target {
    std::unique_ptr<ZephlinContext> context;
    std::vector<uint8_t> buffer;

    Target(int32_t chipIndex, std::size_t used, uint8_t fill = 0x5A)
        : context(contextFor(chipIndex)) {
        const ChipRecord& chip = *findChip(chipIndex);
        const IspTarget target = ispTargetOf(chip);
        buffer.assign(target.capacity, 0xEE); // what the library must not touch
        std::fill_n(buffer.begin(), used, fill);
        (target.secondArea ? context->dataImage : context->codeImage) = buffer.data();
        (target.secondArea ? context->dataSize : context->codeSize) = static_cast<uint32_t>(used);
    }

    uint16_t insert(std::span<const uint8_t> image) {
        const std::optional<IspInsertion> insertion = ispInsertionFor(*context);
        return insertion ? insertIspImage(*insertion, image, *context)
                         : uint16_t{ZEPHLIN_RESULT_FAIL};
    }
};

TEST(IspPlacement, TwoUnitImageGoesToTheTopOfA32KArea) {
    Target target(kNerelA1, 0x100);
    const std::vector<uint8_t> image = patternImage(2012, 1);
    ASSERT_EQ(target.insert(image), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(target.context->codeSize, 0x7FDCu);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), target.buffer.begin() + 0x7800));
    EXPECT_EQ(target.buffer[0xFF], 0x5A);
    EXPECT_EQ(target.buffer[0x100], 0xFF);
    EXPECT_EQ(target.buffer[0x77FF], 0xFF);
    EXPECT_EQ(target.buffer[0x7FDC], 0xEE);           // beyond the new size: untouched
    EXPECT_EQ(target.context->selectSettings[0], 2u); // ISP-memory
    EXPECT_EQ(target.context->selectSettings[2], 1u); // BOOT_MS "Boot Flash"
    EXPECT_EQ(target.context->selectSettings[1], 0u); // IAP-memory is not an ISP slot
}

TEST(IspPlacement, FullBufferKeepsItsSizeAndItsBytesAfterTheImage) {
    Target target(kNerelA1, 0x8000);
    target.context->selectSettings[0] = 5; // already more than the image needs
    ASSERT_EQ(target.insert(patternImage(2012, 1)), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(target.context->codeSize, 0x8000u);
    for (std::size_t i = 0x7FDC; i < 0x8000; ++i) {
        EXPECT_EQ(target.buffer[i], 0x5A) << i;
    }
    EXPECT_EQ(target.context->selectSettings[0], 5u);
}

TEST(IspPlacement, TypeTwentyOneGoesIntoTheSecondAreaInHalfKilobyteUnits) {
    const int32_t type21 = firstIndexOfType(21);
    Target target(type21, 0);
    const std::vector<uint8_t> image = patternImage(1924, 9);
    ASSERT_EQ(target.insert(image), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(target.context->dataSize, 0x1000u + 1924u);
    EXPECT_EQ(target.context->codeSize, 0u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), target.buffer.begin() + 0x1000));
    EXPECT_EQ(target.buffer[0], 0xFF);
    EXPECT_EQ(target.context->selectSettings[0], 4u); // ISP/IAP-memory
    EXPECT_EQ(target.context->selectSettings[1], 1u); // BOOT_MS
}

TEST(IspPlacement, ImageOfExactlyTheCapacityFitsAndOneByteMoreDoesNot) {
    Target exact(kNerelA1, 0);
    const std::vector<uint8_t> full = patternImage(0x8000, 4);
    ASSERT_EQ(exact.insert(full), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(exact.buffer, full);
    EXPECT_EQ(exact.context->selectSettings[0], 32u);

    Target over(kNerelA1, 0x10);
    const std::vector<uint8_t> before = over.buffer;
    EXPECT_EQ(over.insert(patternImage(0x8001, 4)), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_EQ(over.buffer, before);
    EXPECT_EQ(over.context->codeSize, 0x10u);
    EXPECT_EQ(over.context->selectSettings[2], 0u);
}

TEST(IspPlacement, EmptyImageTakesNoUnitsButStillSelectsTheBootFlash) {
    Target target(kNerelA1, 0x20);
    ASSERT_EQ(target.insert({}), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(target.context->codeSize, 0x8000u); // 0xFF up to the area's end
    EXPECT_EQ(target.buffer[0x7FFF], 0xFF);
    EXPECT_EQ(target.context->selectSettings[0], 0u);
    EXPECT_EQ(target.context->selectSettings[2], 1u);
}

TEST(IspPlacement, PartsWithoutAnIspSlotTakeNoCode) {
    for (const uint8_t chipType : {13, 14, 16, 17, 18, 27}) {
        Target target(firstIndexOfType(chipType), 0x10);
        const std::vector<uint8_t> before = target.buffer;
        EXPECT_FALSE(ispUnitOf(*findChip(target.context->chipIndex)).has_value());
        EXPECT_EQ(target.insert(patternImage(100, 1)), ZEPHLIN_RESULT_FAIL) << int{chipType};
        EXPECT_EQ(target.buffer, before);
        EXPECT_EQ(target.context->codeSize, 0x10u);
    }
    EXPECT_FALSE(ispInsertionFor(*contextFor(-1)).has_value());
    auto withoutBuffer = contextFor(kNerelA1);
    EXPECT_FALSE(ispInsertionFor(*withoutBuffer).has_value());
}

TEST(IspPlacement, UnitsThatOverrunAnAreaOfOddSizeDoNotFit) {
    EXPECT_FALSE(placeIspImage(1500, 1024, 1200).has_value());
    const std::optional<IspPlacement> fits = placeIspImage(1500, 1024, 1000);
    ASSERT_TRUE(fits.has_value());
    EXPECT_EQ(fits->offset, 476u);
    EXPECT_EQ(fits->units, 1u);
}

std::span<const uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::vector<uint8_t> convert(std::string_view text, std::size_t limit = 0x10000) {
    const IspHexImage converted = ispImageFromHex(bytesOf(text), limit);
    EXPECT_TRUE(converted.image.has_value());
    EXPECT_FALSE(converted.damaged.has_value());
    return converted.image.value_or(std::vector<uint8_t>{});
}

std::optional<hex::DamagedRecord> damageOf(std::string_view text) {
    const IspHexImage converted = ispImageFromHex(bytesOf(text), 0x10000);
    EXPECT_FALSE(converted.image.has_value()) << "a damaged file gives no image";
    return converted.damaged;
}

TEST(IspHexImage, DataLandsAtItsAddressFromZeroWithGapsErased) {
    const std::vector<uint8_t> image = convert(":0400100001020304E2\r\n"
                                               "not a record\n"
                                               ":02000000AABB99\r");
    ASSERT_EQ(image.size(), 0x14u);
    EXPECT_EQ(image[0], 0xAA);
    EXPECT_EQ(image[1], 0xBB);
    EXPECT_EQ(image[2], 0xFF);
    EXPECT_EQ(image[0x10], 0x01);
    EXPECT_EQ(image[0x13], 0x04);
}

TEST(IspHexImage, LowerCaseDigitsAndExtendedBasesCount) {
    // Segment base 0x0010 * 16 = 0x100; then linear base 0 again.
    const std::vector<uint8_t> image = convert(":020000020010ec\n"
                                               ":01000000aa55\n"
                                               ":020000040000FA\n"
                                               ":01000200BB42\n");
    ASSERT_EQ(image.size(), 0x101u);
    EXPECT_EQ(image[0x100], 0xAA);
    EXPECT_EQ(image[2], 0xBB);
}

TEST(IspHexImage, StartAddressAndEndOfFileEndTheConversion) {
    EXPECT_EQ(convert(":0100000011EE\n:0400000500000000F7\n:0100010022DC\n").size(), 1u);
    EXPECT_EQ(convert(":0100000011EE\n:00000001FF\n:0100010022DC\n").size(), 1u);
    // What follows the end of the file is not read, damaged or not.
    EXPECT_EQ(convert(":0100000011EE\n:00000001FF\n:0100010022DD\n").size(), 1u);
    // A lone last digit is dropped without reading past the line.
    EXPECT_EQ(convert(":0100000011EE0\n").size(), 1u);
    EXPECT_TRUE(convert("").empty());
}

TEST(IspHexImage, ADamagedRecordRefusesTheFileAndNamesItsLine) {
    const auto checksum = damageOf(":0100000011EE\r\n\r\nnot a record\n:0100010022DD\n");
    ASSERT_TRUE(checksum.has_value());
    EXPECT_EQ(checksum->line, 4u) << "a CR LF pair ends one line";
    EXPECT_EQ(checksum->damage, hex::RecordDamage::Checksum);
    // A record shorter than its count says, and a line longer than any record.
    const auto shorter = damageOf(":0100000011EE\n:05000000FB\n");
    ASSERT_TRUE(shorter.has_value());
    EXPECT_EQ(shorter->line, 2u);
    EXPECT_EQ(shorter->damage, hex::RecordDamage::ShorterThanItsCount);
    const auto tooLong = damageOf(":0100000011EE\n:" + std::string(600, '0') + "\n");
    ASSERT_TRUE(tooLong.has_value());
    EXPECT_EQ(tooLong->damage, hex::RecordDamage::TooLong);
}

TEST(IspHexImage, ImagesLongerThanTheLimitAreRefusedWithoutBeingBuilt) {
    // Linear base 0x0800 puts the data at 0x08000000.
    EXPECT_FALSE(
        ispImageFromHex(bytesOf(":020000040800F2\n:0100000011EE\n"), 0x8000).image.has_value());
    EXPECT_FALSE(ispImageFromHex(bytesOf(":02000000AABB99\n"), 1).image.has_value());
    EXPECT_EQ(convert(":02000000AABB99\n", 2).size(), 2u);
}

} // namespace
} // namespace zephlin::project
