// The host-integration functions that choose and drive the writer backend.
#include "Zephlin_DLL.h"

#include "link/simulator/simulator_faults.h"
#include "link/simulator/writer_simulator.h"
#include "link/writer_connection.h"
#include "support/extension_struct.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Copies a reason into the caller's bounded buffer, always terminated.
void report(const std::string& reason, char* error, size_t capacity) {
    if (error == nullptr || capacity == 0) {
        return;
    }
    const std::size_t n = std::min(reason.size(), capacity - 1);
    std::memcpy(error, reason.data(), n);
    error[n] = '\0';
}

// The options struct of the first release ends with fixedChipIndex.
constexpr std::size_t kFirstOptionsSize =
    ZEPHLIN_MEMBER_END(ZephlinSimulatorOptions, fixedChipIndex);

std::vector<ZephlinSimulatorFault> publicFaultTable() {
    std::vector<ZephlinSimulatorFault> table;
    for (const zephlin::sim::FaultInfo& info : zephlin::sim::faultTable()) {
        table.push_back({info.name, info.argument, info.description});
    }
    return table;
}

} // namespace

extern "C" ZEPHLIN_API int32_t ZephlinUseUsbWriter(void) {
    try {
        zephlin::useUsbWriter();
        return 1;
    } catch (...) {
        return 0; // nothing to undo: the previous backend stays selected
    }
}

extern "C" ZEPHLIN_API int32_t ZephlinUseSimulatedWriter(const ZephlinSimulatorOptions* options,
                                                         char* error, size_t errorCapacity) {
    try {
        zephlin::sim::SimulatorOptions chosen;
        std::optional<ZephlinSimulatorOptions> given;
        if (options != nullptr) {
            given = zephlin::readExtension(options, kFirstOptionsSize);
            if (!given) {
                report("the simulator options are too small (structSize " +
                           std::to_string(options->structSize) + ", at least " +
                           std::to_string(kFirstOptionsSize) + ")",
                       error, errorCapacity);
                return 0;
            }
            options = &*given; // only the members the caller's size covers, the rest zero
            if (options->stateFile != nullptr) {
                chosen.stateFile = options->stateFile;
            }
            for (std::size_t i = 0; i < options->faultCount; ++i) {
                std::string reason;
                const char* fault = options->faults != nullptr ? options->faults[i] : nullptr;
                if (fault == nullptr || !chosen.faults.add(fault, reason)) {
                    report(fault == nullptr ? "missing fault name" : reason, error, errorCapacity);
                    return 0;
                }
            }
            chosen.reportLatency = std::chrono::microseconds(options->latencyMicroseconds);
            if (options->useFixedPart != 0) {
                chosen.fixedChipIndex = options->fixedChipIndex;
            }
        }
        std::string reason;
        auto simulator = zephlin::sim::WriterSimulator::create(std::move(chosen), reason);
        if (!simulator) {
            report(reason, error, errorCapacity);
            return 0;
        }
        zephlin::useSimulatedWriter(std::move(simulator));
        return 1;
    } catch (const std::exception& failure) {
        report(failure.what(), error, errorCapacity);
        return 0;
    }
}

extern "C" ZEPHLIN_API int32_t ZephlinSelectedWriter(void) {
    return zephlin::selectedSimulator() != nullptr ? ZEPHLIN_WRITER_SIMULATOR : ZEPHLIN_WRITER_USB;
}

extern "C" ZEPHLIN_API int32_t ZephlinSaveSimulatorState(char* error, size_t errorCapacity) {
    try {
        zephlin::sim::WriterSimulator* simulator = zephlin::selectedSimulator();
        if (simulator == nullptr) {
            report("the simulated writer is not selected", error, errorCapacity);
            return 0;
        }
        std::string reason;
        if (!simulator->saveState(reason)) {
            report(reason, error, errorCapacity);
            return 0;
        }
        return 1;
    } catch (const std::exception& failure) {
        report(failure.what(), error, errorCapacity);
        return 0;
    }
}

extern "C" ZEPHLIN_API int32_t ZephlinSimulatorProduce(uint32_t count) {
    zephlin::sim::WriterSimulator* simulator = zephlin::selectedSimulator();
    if (simulator == nullptr) {
        return -1;
    }
    return static_cast<int32_t>(simulator->produceOffline(std::min<uint32_t>(count, INT32_MAX)));
}

extern "C" ZEPHLIN_API int32_t ZephlinGetSimulatorFaults(const ZephlinSimulatorFault** faults) {
    static const std::vector<ZephlinSimulatorFault> table = publicFaultTable();
    if (faults != nullptr) {
        *faults = table.data();
    }
    return static_cast<int32_t>(table.size());
}
