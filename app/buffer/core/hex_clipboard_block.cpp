#include "buffer/core/hex_clipboard_block.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr std::size_t kCountSize = 4;

} // namespace

std::vector<uint8_t> encodeBinaryDataBlock(std::span<const uint8_t> bytes) {
    const auto count = static_cast<uint32_t>(bytes.size());
    std::vector<uint8_t> block;
    block.reserve(kCountSize + bytes.size());
    for (std::size_t i = 0; i < kCountSize; ++i) {
        block.push_back(static_cast<uint8_t>(count >> (8 * i)));
    }
    block.insert(block.end(), bytes.begin(), bytes.end());
    return block;
}

std::optional<std::span<const uint8_t>> decodeBinaryDataBlock(std::span<const uint8_t> block) {
    if (block.size() < kCountSize) {
        return std::nullopt;
    }
    uint32_t count = 0;
    for (std::size_t i = 0; i < kCountSize; ++i) {
        count |= uint32_t{block[i]} << (8 * i);
    }
    const std::span<const uint8_t> carried = block.subspan(kCountSize);
    return carried.first(std::min<std::size_t>(count, carried.size()));
}

} // namespace zephlin
