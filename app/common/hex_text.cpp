#include "common/hex_text.h"

#include "support/hex_digits.h"

namespace zephlin {

bool acceptsHexInput(wchar_t typed) {
    return typed == L'\b' || hexDigitValue(typed) >= 0;
}

uint32_t parseHexPrefix(std::wstring_view text) {
    return leadingHexNumber(text);
}

std::wstring toUpperAscii(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return upper;
}

} // namespace zephlin
