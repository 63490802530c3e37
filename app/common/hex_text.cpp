#include "common/hex_text.h"

namespace zephlin {
namespace {

int hexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

} // namespace

bool acceptsHexInput(wchar_t typed) {
    return typed == L'\b' || hexDigitValue(typed) >= 0;
}

uint32_t parseHexPrefix(std::wstring_view text) {
    uint64_t value = 0;
    for (const wchar_t c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            return 0xFFFFFFFFu;
        }
    }
    return static_cast<uint32_t>(value);
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
