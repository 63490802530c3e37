// Number formatting for the texts the program shows, locale-independent and
// without fixed-size buffers.
#pragma once

#include <cstdint>
#include <string>

namespace zephlin {

// "%d" and "%0<width>d" of an unsigned value.
std::wstring decimal(uint64_t value, int minimumDigits = 1);
// Upper-case hexadecimal, zero-filled to at least minimumDigits ("%04X").
std::wstring upperHex(uint64_t value, int minimumDigits = 1);
// "%.1f" of halves / 2: the sizes counted in half kilobytes.
std::wstring halvesWithOneDecimal(int64_t halves);
// "%.3f" of milliseconds / 1000.0, exact for every 32-bit count.
std::wstring secondsWithThreeDecimals(uint32_t milliseconds);

} // namespace zephlin
