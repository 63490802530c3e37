// Images for the engine tests: bytes that differ from their neighbours, so a
// shifted or truncated copy shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephlin::testing {

inline std::vector<uint8_t> patternImage(std::size_t size, uint8_t seed = 0) {
    std::vector<uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    }
    return image;
}

} // namespace zephlin::testing
