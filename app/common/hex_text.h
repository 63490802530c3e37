// Hexadecimal entry fields: the numeric option cells and the load address.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zephlin {

// Whether a typed character may reach a hexadecimal field: 0-9, A-F, a-f and
// backspace. Every other typed character is dropped.
bool acceptsHexInput(wchar_t typed);

// The leading hexadecimal digits of a text as a number: reading stops at the
// first other character, an empty text gives 0, and a value beyond 32 bits
// gives 0xFFFFFFFF.
uint32_t parseHexPrefix(std::wstring_view text);

// The text with its letters in upper case, as an upper-case edit shows it.
std::wstring toUpperAscii(std::wstring_view text);

} // namespace zephlin
