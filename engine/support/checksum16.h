// The 16-bit sum: every byte taken unsigned, the total kept to 16 bits. It is
// the checksum of images, option bytes, frames, project files, off-line blocks
// and firmware images alike.
#pragma once

#include <cstdint>
#include <numeric>
#include <span>

namespace zephlin {

inline uint16_t checksum16(std::span<const uint8_t> bytes, uint16_t start = 0) {
    return std::accumulate(bytes.begin(), bytes.end(), start, [](uint16_t sum, uint8_t byte) {
        return static_cast<uint16_t>(sum + byte);
    });
}

} // namespace zephlin
