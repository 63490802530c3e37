// The record layout as the C++ compiler that builds the library sees it.
#include "Zephlin_DLL.h"
#include "record_layout.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

#define EXPECT_OFFSET(Record, member, expected)                                                    \
    EXPECT_EQ(offsetof(Record, member), std::size_t{expected}) << #Record "." #member;
#define EXPECT_SIZE(Record, expected) EXPECT_EQ(sizeof(Record), std::size_t{expected}) << #Record;

TEST(RecordLayout, EveryMemberIsWhereTheInterfacePutsIt) {
    if (sizeof(void*) != 8 || sizeof(wchar_t) != 4) {
        GTEST_SKIP() << "the layout is written out for 64-bit pointers and 4-byte wchar_t";
    }
    ZEPHLIN_RECORD_LAYOUT(EXPECT_OFFSET, EXPECT_SIZE)
}

} // namespace
