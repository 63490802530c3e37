// A fresh simulated writer for one fuzz input, already running the firmware
// for the part's core, so that the session start reaches the exchanges the
// input is about without asking to update the writer.
#pragma once

#include "catalogue/chip_catalogue.h"
#include "link/simulator/writer_simulator.h"
#include "link/writer_connection.h"
#include "link/writer_firmware.h"

#include <memory>

namespace zephlin::fuzz {

inline sim::WriterSimulator& writerServing(const ChipRecord& chip,
                                           sim::SimulatorOptions options = {}) {
    sim::WriterState state;
    if (const WriterFirmware* firmware = writerFirmwareForCore(coreCodeOfChipType(chip.chipType))) {
        state.firmware = {firmware->version, firmware->coreCode};
    }
    return useSimulatedWriter(
        std::make_unique<sim::WriterSimulator>(std::move(options), std::move(state)));
}

} // namespace zephlin::fuzz
