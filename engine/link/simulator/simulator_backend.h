// The HID backend that connects the writer link to a writer simulator. Its
// pauses advance the simulator's clock instead of sleeping.
#pragma once

#include "link/hid_device.h"
#include "link/simulator/writer_simulator.h"

#include <memory>

namespace zephlin::sim {

class SimulatorBackend final : public HidBackend {
public:
    explicit SimulatorBackend(std::unique_ptr<WriterSimulator> simulator)
        : simulator_(std::move(simulator)) {}

    WriterSimulator& simulator() { return *simulator_; }

    std::vector<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const HidInterfaceInfo& interface) override;
    void wait(std::chrono::milliseconds duration) override { simulator_->wait(duration); }

private:
    std::unique_ptr<WriterSimulator> simulator_;
};

} // namespace zephlin::sim
