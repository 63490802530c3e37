// The off-line settings block that the writer keeps for producing chips on its
// own, and the stored information it answers with. Pure functions over the
// context and the bytes: the exports add the writer link.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin::project {

inline constexpr std::size_t kOfflineInfoBytes = 256;

// The block format the writer takes for a chip type: 4 (with the data fields)
// or 2; nothing for a chip type without one.
std::optional<uint8_t> offlineBlockFormatOf(uint8_t chipType);

// The settings block for the context's part, its checksum in bytes 0..1;
// nothing for an unknown chip index or a part without a block format.
std::optional<std::vector<uint8_t>> buildOfflineSettingsBlock(const ZephlinContext& context);

// Unpacks the stored information the writer delivered (256 bytes) into the
// context. Results: 101; 104 for fewer bytes; 122 for an erased store; 112 for a block whose
// checksum does not match, or whose length runs past the delivered bytes so
// that its checksum cannot be formed; 102 for an unknown format, or for option
// words that run past the block or are fewer than the part has. Nothing is
// stored on failure.
uint16_t unpackOfflineInfo(std::span<const uint8_t> info, ZephlinContext& context);

} // namespace zephlin::project
