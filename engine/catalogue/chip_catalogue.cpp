#include "catalogue/chip_catalogue.h"

namespace zephlin {

const ChipRecord* findChip(int32_t chipIndex) {
    const auto records = chipCatalogue();
    if (chipIndex < 0 || static_cast<std::size_t>(chipIndex) >= records.size()) {
        return nullptr;
    }
    return &records[static_cast<std::size_t>(chipIndex)];
}

int32_t firstChipIndexWithChipId(uint16_t chipId) {
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].chipId == chipId) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

uint8_t coreCodeOfChipType(uint8_t chipType) {
    switch (chipType) {
    case 1:
    case 4:
    case 17:
    case 18:
    case 19:
    case 21:
    case 27:
        return 1; // Cortex-M0
    case 13:
    case 14:
        return 3; // Cortex-M3
    case 16:
        return 4; // Cortex-M0+
    default:
        return kNoCoreCode;
    }
}

bool usesFullDeviceId(uint8_t chipType) {
    switch (chipType) {
    case 13:
    case 14:
    case 16:
    case 17:
    case 18:
    case 27:
        return true;
    default:
        return false;
    }
}

uint32_t targetIdentityWord(const ChipRecord& chip) {
    if (usesFullDeviceId(chip.chipType)) {
        return chip.deviceId;
    }
    constexpr uint32_t kShortIdMarker = 5u << 16;
    return (chip.deviceId & 0xFFFFu) | kShortIdMarker;
}

} // namespace zephlin
