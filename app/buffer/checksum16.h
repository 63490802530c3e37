// The 16-bit sum: every byte taken unsigned, added modulo 65536. It is the
// checksum of images, areas and files throughout the program.
#pragma once

#include <cstdint>
#include <span>

namespace zephlin {

uint16_t sum16(std::span<const uint8_t> bytes);

// The 16-bit sum of an area of capacity bytes that holds the bytes at its
// start and 0xFF after them: what a chip holds after programming them into
// an erased area. Bytes beyond the capacity do not count.
uint16_t areaSum16(std::span<const uint8_t> bytes, uint32_t capacity);

} // namespace zephlin
