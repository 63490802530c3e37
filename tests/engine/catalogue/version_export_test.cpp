#include "Zephlin_DLL.h"

#include <gtest/gtest.h>

TEST(VersionExport, ReportsProductVersionAndUniversalEdition) {
    uint32_t word = 0;
    int32_t edition = 0;
    GetDLLInfo(&word, &edition);
    EXPECT_EQ(word, 0x02010000u);
    EXPECT_EQ(edition, 2);
}

TEST(VersionExport, TheHeaderMacrosAreTheVersionTheLibraryReports) {
    EXPECT_EQ(ZEPHLIN_VERSION_MAJOR, 2);
    EXPECT_EQ(ZEPHLIN_VERSION_MINOR, 1);
    EXPECT_EQ(ZEPHLIN_VERSION_PATCH, 0);
    EXPECT_EQ(ZEPHLIN_VERSION_TWEAK, 0);
    EXPECT_STREQ(ZEPHLIN_VERSION_STR, "2.1.0.0");
    uint32_t word = 0;
    GetDLLInfo(&word, nullptr);
    EXPECT_EQ(word, ZEPHLIN_VERSION);
    EXPECT_EQ(ZEPHLIN_MAKE_VERSION(0x1FF, 3, 4, 5), 0xFF030405u) << "the low 8 bits of each";
}
