#include "Zephlin_DLL.h"

#include <gtest/gtest.h>

TEST(VersionExport, ReportsProductVersionAndUniversalEdition) {
    uint32_t word = 0;
    int32_t edition = 0;
    GetDLLInfo(&word, &edition);
    EXPECT_EQ(word, 0x02010000u);
    EXPECT_EQ(edition, 2);
}
