#include "catalogue/chip_catalogue.h"

#include <cwctype>
#include <limits>

namespace zephlin {
namespace {

int hexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// Reads an unsigned hexadecimal number the way the stored texts are written:
// leading blanks and tabs skipped, an optional 0x prefix, digits up to the
// first other character; no digits give 0 and an overlong number saturates.
uint32_t parseHexToken(const wchar_t* text, const wchar_t* end) {
    while (text < end && std::iswspace(static_cast<wint_t>(*text))) {
        ++text;
    }
    if (end - text > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') &&
        hexDigitValue(text[2]) >= 0) {
        text += 2;
    }
    uint64_t value = 0;
    for (; text < end && hexDigitValue(*text) >= 0; ++text) {
        value = value * 16 + static_cast<uint64_t>(hexDigitValue(*text));
        if (value > std::numeric_limits<uint32_t>::max()) {
            return std::numeric_limits<uint32_t>::max();
        }
    }
    return static_cast<uint32_t>(value);
}

} // namespace

uint32_t defaultOptionWord(const ChipRecord& chip, uint32_t k) {
    if (k >= chip.optionWordCount || chip.defaultOptionWords == nullptr) {
        return 0;
    }
    const wchar_t* token = chip.defaultOptionWords;
    for (uint32_t index = 0; index < k; ++index) {
        while (*token != L'\0' && *token != L',') {
            ++token;
        }
        if (*token == L'\0') {
            return 0; // fewer tokens than words
        }
        ++token;
    }
    const wchar_t* tokenEnd = token;
    while (*tokenEnd != L'\0' && *tokenEnd != L',') {
        ++tokenEnd;
    }
    return parseHexToken(token, tokenEnd);
}

std::vector<uint32_t> defaultOptionWords(const ChipRecord& chip) {
    std::vector<uint32_t> words(chip.optionWordCount);
    for (uint32_t k = 0; k < chip.optionWordCount; ++k) {
        words[k] = defaultOptionWord(chip, k);
    }
    return words;
}

} // namespace zephlin
