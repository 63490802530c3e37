#include "resources/embedded_images.h"

#include "support/byte_order.h"

#include <gtest/gtest.h>

namespace zephlin::resources {
namespace {

TEST(EmbeddedImages, CarriesEveryImageInItsSize) {
    const struct {
        ImageKind kind;
        uint32_t number;
        std::size_t size;
    } images[] = {
        {ImageKind::Firmware, 3015, 32529}, {ImageKind::Firmware, 3014, 17138},
        {ImageKind::Firmware, 3016, 17005}, {ImageKind::Firmware, 3009, 4096},
        {ImageKind::Isp, 3006, 1908},       {ImageKind::Isp, 3008, 2012},
        {ImageKind::Isp, 3010, 1924},       {ImageKind::Isp, 3011, 4092},
        {ImageKind::Isp, 3012, 1924},       {ImageKind::Isp, 3013, 1932},
    };
    for (const auto& image : images) {
        const auto bytes = findImage(image.kind, image.number);
        ASSERT_TRUE(bytes.has_value()) << image.number;
        EXPECT_EQ(bytes->size(), image.size) << image.number;
    }
    EXPECT_FALSE(findImage(ImageKind::Isp, 3015).has_value()) << "kinds are apart";
    EXPECT_FALSE(findImage(ImageKind::Firmware, 3007).has_value());
}

TEST(EmbeddedImages, IspImagesStartLikeCortexMCodeLinkedAtZero) {
    for (const uint32_t number : {3006u, 3008u, 3010u, 3011u, 3012u, 3013u}) {
        const auto image = *findImage(ImageKind::Isp, number);
        const uint32_t stackPointer = loadLe32(image, 0);
        const uint32_t reset = loadLe32(image, 4);
        EXPECT_EQ(stackPointer & 0xFFFF0000u, 0x20000000u) << number;
        EXPECT_EQ(stackPointer % 8, 0u) << number;
        EXPECT_EQ(reset & 1u, 1u) << "Thumb bit, image " << number;
        EXPECT_LT(reset, 0x200u) << number;
        EXPECT_LT(reset, image.size()) << number;
    }
}

TEST(EmbeddedImages, StandInsDifferFromEachOther) {
    const auto a = *findImage(ImageKind::Isp, 3010);
    const auto b = *findImage(ImageKind::Isp, 3012);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_FALSE(std::equal(a.begin(), a.end(), b.begin()));
}

} // namespace
} // namespace zephlin::resources
