// Hexadecimal digits, written once for the library and the program: the value
// of a digit in either case, the upper-case digit of a value, and the number
// that the leading digits of a text spell. Narrow and wide text alike.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace zephlin {

// 0 to 15 for '0'-'9', 'A'-'F' and 'a'-'f'; -1 for any other character.
template <class Char> constexpr int hexDigitValue(Char c) {
    if (c >= Char('0') && c <= Char('9')) {
        return static_cast<int>(c - Char('0'));
    }
    if (c >= Char('A') && c <= Char('F')) {
        return static_cast<int>(c - Char('A')) + 10;
    }
    if (c >= Char('a') && c <= Char('f')) {
        return static_cast<int>(c - Char('a')) + 10;
    }
    return -1;
}

// The upper-case digit of the low four bits of a value.
template <class Char> constexpr Char upperHexDigit(uint64_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return static_cast<Char>(kDigits[value & 0x0F]);
}

// The number that the leading hexadecimal digits of a text spell. Reading
// stops at the first other character, a text without leading digits gives 0,
// and a number beyond 32 bits gives 0xFFFFFFFF.
template <class Char> constexpr uint32_t leadingHexNumber(std::basic_string_view<Char> text) {
    constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
    uint64_t value = 0;
    for (const Char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > kLargest) {
            return kLargest;
        }
    }
    return static_cast<uint32_t>(value);
}

} // namespace zephlin
