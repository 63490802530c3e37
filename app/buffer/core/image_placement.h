// Placing an image into an area buffer: replace or merge at the load
// address, then fill the rest of the area.
#pragma once

#include "buffer/core/load_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin {

// The buffer after placing image at loadAddress:
// - replace: loadAddress + image length bytes of 0xFF, the image at the address;
// - merge: the longer of the old length and loadAddress + image length, the
//   old bytes at the start, 0xFF after them, the image at the address over
//   whatever was there;
// - then, in fill mode 1 or 2, extended to the capacity with 0x00 or 0xFF
//   from its end; bytes before the end keep their values.
// Nothing when the image does not fit: loadAddress + image length above the
// capacity ("File is too large !"). The old buffer is never changed.
std::optional<std::vector<uint8_t>> placeImage(std::span<const uint8_t> oldBuffer, bool replace,
                                               uint32_t loadAddress, std::span<const uint8_t> image,
                                               FillMode fill, uint32_t capacity);

// Extends a buffer to the capacity with the fill value of the mode.
void applyFill(std::vector<uint8_t>& buffer, FillMode fill, uint32_t capacity);

} // namespace zephlin
