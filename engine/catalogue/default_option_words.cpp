#include "catalogue/chip_catalogue.h"

#include "support/hex_digits.h"

#include <cwctype>
#include <string_view>

namespace zephlin {
namespace {

// Reads an unsigned hexadecimal number the way the stored texts are written:
// leading blanks and tabs skipped, an optional 0x prefix, digits up to the
// first other character; no digits give 0 and an overlong number saturates.
uint32_t parseHexToken(std::wstring_view token) {
    while (!token.empty() && std::iswspace(static_cast<wint_t>(token.front()))) {
        token.remove_prefix(1);
    }
    if (token.size() > 2 && token[0] == L'0' && (token[1] == L'x' || token[1] == L'X') &&
        hexDigitValue(token[2]) >= 0) {
        token.remove_prefix(2);
    }
    return leadingHexNumber(token);
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
    return parseHexToken(std::wstring_view(token, static_cast<std::size_t>(tokenEnd - token)));
}

std::vector<uint32_t> defaultOptionWords(const ChipRecord& chip) {
    std::vector<uint32_t> words(chip.optionWordCount);
    for (uint32_t k = 0; k < chip.optionWordCount; ++k) {
        words[k] = defaultOptionWord(chip, k);
    }
    return words;
}

} // namespace zephlin
