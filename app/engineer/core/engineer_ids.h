// The fixed numeric identifiers of the Engineer window's controls; the
// sheets' tests and the window find controls by them.
#pragma once

namespace zephlin::engineer_ids {

inline constexpr int kTabs = 1221;
inline constexpr int kWrite = 1223;
inline constexpr int kRead = 1224;
inline constexpr int kSync = 1789;
inline constexpr int kDutLabel = 1785;
inline constexpr int kDutStatus = 1786;
inline constexpr int kDutField = 1787;

// Row i of a sheet: its label, write value and read value.
inline constexpr int kItemLabel = 1761;
inline constexpr int kWriteValue = 1769;
inline constexpr int kReadValue = 1777;

// Bit b of row i on a bit sheet: base + 32 * i + b.
inline constexpr int kBitBox = 1249;
inline constexpr int kBitLabel = 1505;

inline constexpr int bitBox(int item, int bit) {
    return kBitBox + 32 * item + bit;
}
inline constexpr int bitLabel(int item, int bit) {
    return kBitLabel + 32 * item + bit;
}

} // namespace zephlin::engineer_ids
