// The simulated writer's Off-Line Mode memory: the image and settings block a
// program downloads, the running serial number and production counter, and
// the stand-alone production that advances them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlin::sim {

inline constexpr std::size_t kOfflineInfoSize = 256;

struct OfflineStore {
    std::vector<uint8_t> image;
    std::vector<uint8_t> settings; // the block as downloaded, at most 256 bytes
    uint32_t currentNumber = 0;
    uint16_t currentCounter = 0;

    void storeImage(std::span<const uint8_t> bytes);
    // A new block restarts production at its first serial number.
    void storeSettings(std::span<const uint8_t> bytes);

    // The stored block with the running number and counter, padded with 0xFF;
    // all 0xFF when nothing is stored.
    std::array<uint8_t, kOfflineInfoSize> info() const;

    // Produces up to count chips: each one takes the current number (which
    // then advances when the block asks for auto-increment) and counts, until
    // the counter reaches the max counter. Returns the chips produced.
    uint32_t produce(uint32_t count);
};

} // namespace zephlin::sim
