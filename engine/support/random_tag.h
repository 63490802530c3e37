// The library's one pseudo-random generator. It draws the random tag that pairs
// each command frame with its status report, and the random bytes of saved
// project files, which reseed it from the clock before they draw.
#pragma once

#include <cstdint>

namespace zephlin {

// The next value of the generator, 0 to 0x7FFF.
uint32_t nextRandomValue();

// The low 8 bits of the next value: a fresh tag for one frame.
uint8_t nextRandomTag();

void seedRandomGenerator(uint32_t seed);

} // namespace zephlin
