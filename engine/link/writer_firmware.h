// The writer firmware the library expects for each core, and the images it
// installs: the writer runs firmware for one core family at a time, and its
// sub-MCU has firmware of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zephlin {

struct WriterFirmware {
    uint8_t coreCode; // 1 Cortex-M0, 3 Cortex-M3, 4 Cortex-M0+
    uint32_t version; // what the writer reports while running it
    uint32_t imageId; // FWCode resource
};

std::span<const WriterFirmware> writerFirmwares();

// The firmware for a core code, or nullptr for a core no firmware serves.
const WriterFirmware* writerFirmwareForCore(uint8_t coreCode);

// The image an installer may send to the selected writer: a real writer only
// ever gets the maker's image, never a build's stand-in (those go to the
// simulator only). Nothing when there is none.
std::optional<std::span<const uint8_t>> installableFirmwareImage(uint32_t imageId);

inline constexpr uint16_t kExpectedSubMcuVersion = 0x0104;
inline constexpr uint32_t kSubMcuImageId = 3009;

} // namespace zephlin
