// The record's fixed-size wide-text fields (paths and names of the operation
// context record): a text goes in cut to fit, always terminated.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string_view>

namespace zephlin {

// Stores the text in a field of `capacity` characters, the terminating zero
// included; a longer text is cut. A field of capacity 0 is left alone.
inline void copyTextField(wchar_t* field, std::size_t capacity, std::wstring_view text) {
    if (capacity == 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::wmemcpy(field, text.data(), length);
    field[length] = L'\0';
}

} // namespace zephlin
