#include "support/extension_struct.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zephlin {
namespace {

// A struct as a second release would have it: the first release ended with
// first, the second added second.
struct Grown {
    std::size_t structSize;
    uint32_t first;
    uint32_t second;
};
constexpr std::size_t kFirstRelease = ZEPHLIN_MEMBER_END(Grown, first);
static_assert(kFirstRelease == 12 && sizeof(Grown) == 16);

TEST(ExtensionStruct, ACallerBuiltAgainstTheFirstReleaseKeepsWorking) {
    // What an older caller passes: the first release's bytes and nothing of
    // the new member, which the library takes as zero.
    Grown older{kFirstRelease, 0x11111111, 0xDEADBEEF};
    const auto read = readExtension(&older, kFirstRelease);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->first, 0x11111111u);
    EXPECT_EQ(read->second, 0u) << "a member beyond the caller's size is not read";
    EXPECT_EQ(read->structSize, sizeof(Grown));

    const Grown filled{sizeof(Grown), 7, 8};
    ASSERT_TRUE(writeExtension(&older, filled, kFirstRelease));
    EXPECT_EQ(older.first, 7u);
    EXPECT_EQ(older.second, 0xDEADBEEFu) << "a member beyond the caller's size is not written";
    EXPECT_EQ(older.structSize, kFirstRelease);
}

TEST(ExtensionStruct, ASizeBelowTheFirstReleaseIsRefused) {
    Grown zeroed{};
    EXPECT_FALSE(readExtension(&zeroed, kFirstRelease).has_value());
    Grown cut{kFirstRelease - 1, 1, 2};
    EXPECT_FALSE(readExtension(&cut, kFirstRelease).has_value());
    EXPECT_FALSE(writeExtension(&cut, Grown{sizeof(Grown), 5, 6}, kFirstRelease));
    EXPECT_EQ(cut.first, 1u) << "nothing written";
    EXPECT_FALSE(readExtension<Grown>(nullptr, kFirstRelease).has_value());
    EXPECT_FALSE(writeExtension<Grown>(nullptr, Grown{}, kFirstRelease));
}

TEST(ExtensionStruct, ANewerCallersLargerStructIsReadAsFarAsTheLibraryKnowsIt) {
    struct Newer {
        Grown known;
        uint32_t later;
    } newer{{sizeof(Newer), 3, 4}, 5};
    const auto read = readExtension(&newer.known, kFirstRelease);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->second, 4u);
    ASSERT_TRUE(writeExtension(&newer.known, Grown{sizeof(Grown), 9, 10}, kFirstRelease));
    EXPECT_EQ(newer.known.second, 10u);
    EXPECT_EQ(newer.later, 5u) << "the library writes no more than it knows";
    EXPECT_EQ(newer.known.structSize, sizeof(Newer));
}

} // namespace
} // namespace zephlin
