// Option words as bytes: word 0 first, each least significant byte first. The
// writer's option-word commands, project files and off-line blocks all carry
// them this way.
#pragma once

#include "support/byte_order.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

inline constexpr std::size_t kOptionWordBytes = 4;

inline std::vector<uint8_t> optionBytesOf(std::span<const uint32_t> words) {
    std::vector<uint8_t> bytes(words.size() * kOptionWordBytes);
    for (std::size_t k = 0; k < words.size(); ++k) {
        storeLe32(bytes, k * kOptionWordBytes, words[k]);
    }
    return bytes;
}

// The first count words of the bytes; the bytes must hold them.
inline std::vector<uint32_t> optionWordsFrom(std::span<const uint8_t> bytes, std::size_t count) {
    std::vector<uint32_t> words(count);
    for (std::size_t k = 0; k < count; ++k) {
        words[k] = loadLe32(bytes, k * kOptionWordBytes);
    }
    return words;
}

} // namespace zephlin
