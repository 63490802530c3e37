// What a simulated writer box keeps across power cycles, and what its state
// file holds: the installed firmware, the chip in its socket and its
// Off-Line Mode memory.
#pragma once

#include "link/simulator/offline_store.h"
#include "link/simulator/simulated_chip.h"
#include "link/writer_firmware.h"

#include <cstdint>
#include <optional>

namespace zephlin::sim {

struct InstalledFirmware {
    uint32_t version = 0;
    uint8_t coreCode = 0;

    bool operator==(const InstalledFirmware&) const = default;
};

struct WriterState {
    // A new box runs the Cortex-M0 firmware and the expected sub-MCU firmware.
    InstalledFirmware firmware{writerFirmwareForCore(1)->version, 1};
    uint16_t subMcuVersion = kExpectedSubMcuVersion;
    std::optional<SimulatedChip> chip; // nothing until a target setup asks for a part
    OfflineStore offline;
};

} // namespace zephlin::sim
