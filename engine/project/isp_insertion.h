// Placing an ISP code image at the top of a part's area, in whole units of ISP
// space, and raising the option settings so that the chip reserves that space
// and boots from it. Pure functions over the catalogue and the caller's image;
// the export gets the image from the library's resources or the user's file.
#pragma once

#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"

#include <cstdint>
#include <optional>
#include <span>

namespace zephlin::project {

// Where a part's ISP code goes: the second area (the IAP/ISP area of chip type
// 21) or the main area, and how many bytes that area holds.
struct IspTarget {
    bool secondArea = false;
    uint32_t capacity = 0;
};

IspTarget ispTargetOf(const ChipRecord& chip);

// The size of one unit of ISP space, from the size rule of the part's ISP
// memory slot among select slots 0 to 5 (a later slot overrides an earlier
// one); nothing for a part that has no ISP slot with a known rule.
std::optional<uint32_t> ispUnitOf(const ChipRecord& chip);

struct IspPlacement {
    uint32_t units = 0;  // units the image occupies, rounded up
    uint32_t offset = 0; // where it starts: those units end exactly at the area's end
};

// Nothing when the image does not fit the area in whole units.
std::optional<IspPlacement> placeIspImage(uint32_t capacity, uint32_t unit, std::size_t length);

// Writes the image into the caller's area buffer (capacity bytes at least) at
// the placement, fills the bytes between the old end (usedSize) and the image
// with 0xFF and returns the new used size: the old one, or the image's end
// when that lies further.
uint32_t placeIntoArea(std::span<uint8_t> area, uint32_t usedSize, std::span<const uint8_t> image,
                       const IspPlacement& placement);

// Every ISP memory slot reserves at least the image's units; BOOT_MS selects
// "Boot Flash".
void reserveIspSpace(const ChipRecord& chip, uint32_t units, ZephlinContext& context);

// What an insertion into the context's part needs, or nothing when the part
// has no ISP slot (or the chip index is unknown, or the target area's buffer
// is missing): such a part takes no ISP code.
struct IspInsertion {
    const ChipRecord* chip = nullptr;
    uint32_t unit = 0;
    IspTarget target;
};

std::optional<IspInsertion> ispInsertionFor(const ZephlinContext& context);

// Inserts an image into the context's target area: 101, or 124 when it does
// not fit (nothing is written then).
uint16_t insertIspImage(const IspInsertion& insertion, std::span<const uint8_t> image,
                        ZephlinContext& context);

} // namespace zephlin::project
