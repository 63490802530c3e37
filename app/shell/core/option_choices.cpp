#include "shell/core/option_choices.h"

#include "common/wide_format.h"

#include <bit>

namespace zephlin {
namespace {

constexpr std::size_t kMaximumChoiceListCharacters = 255;

std::wstring_view textOf(const wchar_t* text) {
    return text != nullptr ? std::wstring_view(text) : std::wstring_view{};
}

} // namespace

bool isMemoryName(std::wstring_view cellName) {
    return cellName == kIspMemory || cellName == kIapMemory || cellName == L"ISP/IAP-memory";
}

SizeRule sizeRuleOf(std::wstring_view choiceList) {
    if (choiceList == L"ISP-IAP-SET01") {
        return SizeRule::Set01;
    }
    if (choiceList == L"ISP-IAP-SET02") {
        return SizeRule::Set02;
    }
    if (choiceList == L"ISP-IAP-SET03") {
        return SizeRule::Set03;
    }
    return SizeRule::None;
}

uint32_t sizeRuleEntryCount(SizeRule rule, AreaSizes sizes) {
    switch (rule) {
    case SizeRule::Set01:
        return sizes.main / 1024 + 1;
    case SizeRule::Set02:
        return sizes.main / 512 + 1;
    case SizeRule::Set03:
        return sizes.second / 512 + 1;
    case SizeRule::None:
        break;
    }
    return 0;
}

std::wstring sizeRuleEntryText(SizeRule rule, int64_t k, AreaSizes sizes) {
    switch (rule) {
    case SizeRule::Set01:
        return (k < 0 ? L"-" + decimal(static_cast<uint64_t>(-k))
                      : decimal(static_cast<uint64_t>(k))) +
               L" k";
    case SizeRule::Set02:
        return halvesWithOneDecimal(k) + L" k";
    case SizeRule::Set03: {
        const int64_t iapHalves = 2 * static_cast<int64_t>(sizes.second / 1024) - k;
        return L"ISP:" + halvesWithOneDecimal(k) + L" k / IAP:" + halvesWithOneDecimal(iapHalves) +
               L" k";
    }
    case SizeRule::None:
        break;
    }
    return {};
}

std::vector<std::wstring> choicePieces(const wchar_t* choiceList) {
    std::wstring_view rest = textOf(choiceList).substr(0, kMaximumChoiceListCharacters);
    std::vector<std::wstring> pieces;
    while (!rest.empty()) {
        const auto comma = rest.find(L',');
        const std::wstring_view piece = rest.substr(0, comma);
        if (!piece.empty()) {
            pieces.emplace_back(piece);
        }
        if (comma == std::wstring_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return pieces;
}

std::vector<std::wstring> choiceEntries(const ZephlinSelectCell& cell, AreaSizes sizes) {
    if (!isMemoryName(textOf(cell.name))) {
        return choicePieces(cell.choices.list);
    }
    const SizeRule rule = sizeRuleOf(textOf(cell.choices.list));
    std::vector<std::wstring> entries;
    const uint32_t count = sizeRuleEntryCount(rule, sizes);
    entries.reserve(count);
    for (uint32_t k = 0; k < count; ++k) {
        entries.push_back(sizeRuleEntryText(rule, k, sizes));
    }
    return entries;
}

std::wstring choiceText(const ZephlinSelectCell& cell, uint32_t value, AreaSizes sizes) {
    if (isMemoryName(textOf(cell.name))) {
        return sizeRuleEntryText(sizeRuleOf(textOf(cell.choices.list)), value, sizes);
    }
    std::vector<std::wstring> pieces = choicePieces(cell.choices.list);
    return value < pieces.size() ? std::move(pieces[value]) : std::wstring{};
}

int numericDigitCount(uint32_t mask) {
    return (std::popcount(mask) + 3) / 4;
}

std::wstring numericText(uint32_t value, uint32_t mask) {
    return upperHex(value, numericDigitCount(mask));
}

uint32_t numericMask(const ZephlinSelectCell& cell) {
    return static_cast<uint32_t>(cell.choices.mask);
}

} // namespace zephlin
