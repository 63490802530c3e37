#include "support/hex_digits.h"

#include <gtest/gtest.h>

#include <string>

namespace zephlin {
namespace {

TEST(HexDigits, EveryNarrowCharacterHasTheValueOfItsDigitOrNone) {
    const std::string digits = "0123456789abcdef";
    for (int c = 0; c < 256; ++c) {
        const auto character = static_cast<char>(c);
        const auto lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        const std::size_t position = digits.find(lower);
        const int expected = position == std::string::npos ? -1 : static_cast<int>(position);
        EXPECT_EQ(hexDigitValue(character), expected) << "character " << c;
    }
}

TEST(HexDigits, WideLettersBeyondAsciiAreNoDigits) {
    EXPECT_EQ(hexDigitValue(L'F'), 15);
    EXPECT_EQ(hexDigitValue(L'\xFF21'), -1) << "fullwidth A";
    EXPECT_EQ(hexDigitValue(static_cast<wchar_t>(0x10041)), -1) << "a code point ending in 0x41";
}

TEST(HexDigits, UpperDigitsOfTheLowFourBits) {
    std::string narrow;
    std::wstring wide;
    for (uint64_t value = 0; value < 16; ++value) {
        narrow += upperHexDigit<char>(value);
        wide += upperHexDigit<wchar_t>(value);
    }
    EXPECT_EQ(narrow, "0123456789ABCDEF");
    EXPECT_EQ(wide, L"0123456789ABCDEF");
    EXPECT_EQ(upperHexDigit<char>(0x1234'5678'9ABC'DEF7u), '7');
}

TEST(HexDigits, LeadingNumberStopsAtTheFirstOtherCharacterAndSaturates) {
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"")), 0u);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"x12")), 0u);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"1aF")), 0x1AFu);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"12G4")), 0x12u);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"ffffffff")), 0xFFFFFFFFu);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"100000000")), 0xFFFFFFFFu);
    EXPECT_EQ(leadingHexNumber(std::wstring_view(L"00000000000000000000000A")), 0xAu)
        << "leading zeros do not overflow";
    EXPECT_EQ(leadingHexNumber(std::string_view("C0 FF")), 0xC0u);
}

} // namespace
} // namespace zephlin
