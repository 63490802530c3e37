#include "project/isp_insertion.h"

#include "catalogue/option_descriptors.h"

#include <algorithm>
#include <array>
#include <cwchar>

namespace zephlin::project {
namespace {

// Only select slots 0 to 5 hold lists; 6 and 7 are numeric options.
constexpr std::size_t kListSlots = 6;
constexpr uint32_t kBootFlash = 1;

bool isIspMemorySlot(const SelectDescriptor& slot) {
    return std::wcscmp(slot.name, L"ISP-memory") == 0 ||
           std::wcscmp(slot.name, L"ISP/IAP-memory") == 0;
}

bool isBootSourceSlot(const SelectDescriptor& slot) {
    return std::wcscmp(slot.name, L"BOOT_MS") == 0;
}

std::optional<uint32_t> unitOfRule(const wchar_t* rule) {
    struct Rule {
        const wchar_t* name;
        uint32_t unit;
    };
    constexpr std::array<Rule, 3> kRules{{{descriptors::kIspUnits1K, 1024},
                                          {descriptors::kIspUnitsHalfK, 512},
                                          {descriptors::kIspIapSplit, 512}}};
    for (const Rule& known : kRules) {
        if (std::wcscmp(rule, known.name) == 0) {
            return known.unit;
        }
    }
    return std::nullopt;
}

} // namespace

IspTarget ispTargetOf(const ChipRecord& chip) {
    constexpr uint8_t kIapIspAreaType = 21;
    if (chip.chipType == kIapIspAreaType) {
        return {true, chip.secondAreaSize};
    }
    return {false, chip.mainAreaSize};
}

std::optional<uint32_t> ispUnitOf(const ChipRecord& chip) {
    std::optional<uint32_t> unit;
    for (std::size_t i = 0; i < kListSlots; ++i) {
        const SelectDescriptor& slot = chip.selects[i];
        if (isIspMemorySlot(slot)) {
            if (const std::optional<uint32_t> ruleUnit = unitOfRule(slot.choices)) {
                unit = ruleUnit;
            }
        }
    }
    return unit;
}

std::optional<IspPlacement> placeIspImage(uint32_t capacity, uint32_t unit, std::size_t length) {
    if (unit == 0 || length > capacity) {
        return std::nullopt;
    }
    const auto units = static_cast<uint32_t>((length + unit - 1) / unit);
    const uint64_t reserved = uint64_t{units} * unit;
    // An area that is not a whole number of units may hold the bytes but not
    // the units they need.
    if (reserved > capacity) {
        return std::nullopt;
    }
    return IspPlacement{units, static_cast<uint32_t>(capacity - reserved)};
}

uint32_t placeIntoArea(std::span<uint8_t> area, uint32_t usedSize, std::span<const uint8_t> image,
                       const IspPlacement& placement) {
    const auto imageEnd = static_cast<uint32_t>(placement.offset + image.size());
    if (usedSize < placement.offset) {
        std::fill(area.begin() + usedSize, area.begin() + placement.offset, uint8_t{0xFF});
    }
    std::ranges::copy(image, area.begin() + placement.offset);
    return std::max(usedSize, imageEnd);
}

void reserveIspSpace(const ChipRecord& chip, uint32_t units, ZephlinContext& context) {
    for (std::size_t i = 0; i < kListSlots; ++i) {
        const SelectDescriptor& slot = chip.selects[i];
        if (isIspMemorySlot(slot)) {
            context.selectSettings[i] = std::max(context.selectSettings[i], units);
        } else if (isBootSourceSlot(slot)) {
            context.selectSettings[i] = kBootFlash;
        }
    }
}

std::optional<IspInsertion> ispInsertionFor(const ZephlinContext& context) {
    const ChipRecord* chip = findChip(context.chipIndex);
    if (chip == nullptr) {
        return std::nullopt;
    }
    const std::optional<uint32_t> unit = ispUnitOf(*chip);
    const IspTarget target = ispTargetOf(*chip);
    const uint8_t* buffer = target.secondArea ? context.dataImage : context.codeImage;
    if (!unit || buffer == nullptr) {
        return std::nullopt;
    }
    return IspInsertion{chip, *unit, target};
}

uint16_t insertIspImage(const IspInsertion& insertion, std::span<const uint8_t> image,
                        ZephlinContext& context) {
    const IspTarget& target = insertion.target;
    const std::optional<IspPlacement> placement =
        placeIspImage(target.capacity, insertion.unit, image.size());
    if (!placement) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    uint8_t* buffer = target.secondArea ? context.dataImage : context.codeImage;
    uint32_t& size = target.secondArea ? context.dataSize : context.codeSize;
    size = placeIntoArea(std::span<uint8_t>(buffer, target.capacity), size, image, *placement);
    reserveIspSpace(*insertion.chip, placement->units, context);
    return ZEPHLIN_RESULT_PASS;
}

} // namespace zephlin::project
