// The wide-text fields of the operation context record: fixed arrays that
// hold at most their capacity less one characters and are always terminated.
// The caller may hand over a field without a terminator; reading stops at the
// capacity.
#pragma once

#include <algorithm>
#include <cwchar>
#include <span>
#include <string>
#include <string_view>

namespace zephlin {

inline std::wstring contextText(std::span<const wchar_t> field) {
    return {field.data(), wcsnlen(field.data(), field.size())};
}

// Keeps as much of the text as fits.
inline void storeContextText(std::span<wchar_t> field, std::wstring_view text) {
    if (field.empty()) {
        return;
    }
    const std::size_t length = std::min(text.size(), field.size() - 1);
    text.copy(field.data(), length);
    field[length] = L'\0';
}

} // namespace zephlin
