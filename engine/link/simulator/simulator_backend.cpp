#include "link/simulator/simulator_backend.h"

#include <algorithm>

namespace zephlin::sim {
namespace {

// An open connection to the simulated box. It fails every transfer once the
// box has re-enumerated or been unplugged, as a real device handle does.
class SimulatedDevice final : public HidDevice {
public:
    SimulatedDevice(WriterSimulator& simulator, uint64_t connection)
        : simulator_(simulator), connection_(connection) {}

    HidCapabilities capabilities() const override { return simulator_.capabilities(); }

    bool writeFeatureReport(std::span<const uint8_t> report) override {
        return simulator_.takeFeatureReport(connection_, report);
    }

    std::size_t readFeatureReport(std::span<uint8_t> report) override {
        return simulator_.giveFeatureReport(connection_, report);
    }

    InputRead readInputReport(std::span<uint8_t> report, std::chrono::milliseconds limit) override {
        return simulator_.giveInputReport(connection_, report, limit);
    }

private:
    WriterSimulator& simulator_;
    uint64_t connection_;
};

} // namespace

std::vector<HidInterfaceInfo> SimulatorBackend::enumerate(uint16_t vendorId, uint16_t productId) {
    std::vector<HidInterfaceInfo> interfaces = simulator_->presentInterfaces();
    std::erase_if(interfaces, [&](const HidInterfaceInfo& info) {
        return info.vendorId != vendorId || info.productId != productId;
    });
    return interfaces;
}

std::unique_ptr<HidDevice> SimulatorBackend::open(const HidInterfaceInfo& interface) {
    const std::optional<uint64_t> connection = simulator_->connect(interface.path);
    if (!connection) {
        return nullptr;
    }
    return std::make_unique<SimulatedDevice>(*simulator_, *connection);
}

} // namespace zephlin::sim
