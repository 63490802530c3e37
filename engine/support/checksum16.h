// The 16-bit sum: every byte taken unsigned, the total kept to 16 bits. It is
// the checksum of images, option bytes, frames, project files, off-line blocks
// and firmware images alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>

namespace zephlin {

inline uint16_t checksum16(std::span<const uint8_t> bytes, uint16_t start = 0) {
    return std::accumulate(bytes.begin(), bytes.end(), start, [](uint16_t sum, uint8_t byte) {
        return static_cast<uint16_t>(sum + byte);
    });
}

// The 16-bit sum of an area of `capacity` bytes that holds `bytes` at its
// start and the erased value 0xFF after them: what a chip holds after the
// bytes are programmed into an erased area. Bytes beyond the capacity do not
// count.
inline uint16_t areaChecksum16(std::span<const uint8_t> bytes, uint32_t capacity) {
    const std::size_t inside = bytes.size() < capacity ? bytes.size() : capacity;
    const uint64_t filler = static_cast<uint64_t>(capacity - inside) * 0xFFu;
    return static_cast<uint16_t>(checksum16(bytes.first(inside)) + filler);
}

} // namespace zephlin
