// The editor's private clipboard block "BinaryData": a 32-bit little-endian
// byte count followed by the bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin {

std::vector<uint8_t> encodeBinaryDataBlock(std::span<const uint8_t> bytes);

// The bytes a block carries. The block comes from the clipboard, which any
// program may fill: a block too short for its count yields the bytes it
// holds, and one without a complete count yields nothing.
std::optional<std::span<const uint8_t>> decodeBinaryDataBlock(std::span<const uint8_t> block);

} // namespace zephlin
