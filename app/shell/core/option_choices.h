// The texts of option cells: the entries of a choice list or of a memory size
// rule, the text of a chosen value, and the hexadecimal form of numeric cells.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zephlin {

// The size rules that the memory cells name in place of a choice list. The
// entry index is the size in the rule's unit: 1 KB for Set01, 0.5 KB for
// Set02 and Set03 (where the rest of the second area is the IAP part).
enum class SizeRule { None, Set01, Set02, Set03 };

inline constexpr std::wstring_view kUnusedCellName = L"NA";
inline constexpr std::wstring_view kIspMemory = L"ISP-memory";
inline constexpr std::wstring_view kIapMemory = L"IAP-memory";

// "ISP-memory", "IAP-memory" or "ISP/IAP-memory".
bool isMemoryName(std::wstring_view cellName);
SizeRule sizeRuleOf(std::wstring_view choiceList);

struct AreaSizes {
    uint32_t main = 0;   // bytes
    uint32_t second = 0; // bytes
};

// Entries 0 to count - 1 of a size rule; count is 0 for SizeRule::None.
uint32_t sizeRuleEntryCount(SizeRule rule, AreaSizes sizes);
// The text of entry k of a size rule: "%d k", "%.1f k" or
// "ISP:%.1f k / IAP:%.1f k"; empty for SizeRule::None.
std::wstring sizeRuleEntryText(SizeRule rule, int64_t k, AreaSizes sizes);

// The pieces of a choice list: at most its first 255 characters, split at
// commas, empty pieces skipped.
std::vector<std::wstring> choicePieces(const wchar_t* choiceList);

// The entries of select cell 0 to 5: its pieces, or for a memory name the
// entries of its size rule.
std::vector<std::wstring> choiceEntries(const ZephlinSelectCell& cell, AreaSizes sizes);

// The text of value v of a select cell: piece v, or entry v of its size rule;
// empty when there is no such piece or rule.
std::wstring choiceText(const ZephlinSelectCell& cell, uint32_t value, AreaSizes sizes);

// Numeric cells: the digit count is the number of set bits of the mask
// divided by 4, rounded up; the text is upper-case hexadecimal with leading
// zeros to at least that many digits.
int numericDigitCount(uint32_t mask);
std::wstring numericText(uint32_t value, uint32_t mask);
// The mask of numeric cell 6 or 7, kept to 32 bits.
uint32_t numericMask(const ZephlinSelectCell& cell);

} // namespace zephlin
