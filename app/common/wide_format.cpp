#include "common/wide_format.h"

#include "support/hex_digits.h"

#include <algorithm>

namespace zephlin {
namespace {

std::wstring digits(uint64_t value, unsigned base, int minimumDigits) {
    std::wstring text;
    do {
        text += upperHexDigit<wchar_t>(value % base);
        value /= base;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minimumDigits) {
        text.append(static_cast<std::size_t>(minimumDigits) - text.size(), L'0');
    }
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace

std::wstring decimal(uint64_t value, int minimumDigits) {
    return digits(value, 10, minimumDigits);
}

std::wstring upperHex(uint64_t value, int minimumDigits) {
    return digits(value, 16, minimumDigits);
}

std::wstring halvesWithOneDecimal(int64_t halves) {
    const uint64_t magnitude =
        halves < 0 ? static_cast<uint64_t>(-(halves + 1)) + 1 : static_cast<uint64_t>(halves);
    std::wstring text = halves < 0 ? L"-" : L"";
    text += decimal(magnitude / 2);
    text += magnitude % 2 != 0 ? L".5" : L".0";
    return text;
}

std::wstring secondsWithThreeDecimals(uint32_t milliseconds) {
    return decimal(milliseconds / 1000) + L"." + decimal(milliseconds % 1000, 3);
}

} // namespace zephlin
