#include "operations/device_export.h"

#include "link/writer_connection.h"

namespace zephlin {

const ChipRecord* supportedChip(int32_t chipIndex) {
    const ChipRecord* chip = findChip(chipIndex);
    return chip != nullptr && coreCodeOfChipType(chip->chipType) != kNoCoreCode ? chip : nullptr;
}

LinkClosure::~LinkClosure() {
    writerLink().close();
}

} // namespace zephlin
