#include "link/simulator/simulator_faults.h"

#include <array>
#include <charconv>

namespace zephlin::sim {
namespace {

constexpr std::array kFaults{
    FaultInfo{Fault::NoWriter, "no-writer", nullptr, "no writer is connected"},
    FaultInfo{Fault::UnopenableInterface, "unopenable-interface", nullptr,
              "an interface that cannot be opened is listed before the writer"},
    FaultInfo{Fault::DropStatus, "drop-status", nullptr, "status reports never arrive"},
    FaultInfo{Fault::WrongTag, "wrong-tag", nullptr, "status reports echo a wrong tag"},
    FaultInfo{Fault::ShortFeatureRead, "short-feature-read", nullptr,
              "feature reads deliver only half a report"},
    FaultInfo{Fault::UnplugAfter, "unplug-after", "REPORTS",
              "the writer is unplugged after REPORTS reports"},
    FaultInfo{Fault::PowerOnFailure, "power-on-failure", nullptr,
              "the target cannot be powered (setup status 2)"},
    FaultInfo{Fault::NoResponse, "no-response", nullptr,
              "the target does not respond (setup and end of target status 3)"},
    FaultInfo{Fault::IdMismatch, "id-mismatch", nullptr,
              "the target's ID does not match (setup status 5)"},
    FaultInfo{Fault::Locked, "locked", nullptr,
              "the chip in the socket is locked until a whole-chip erase (setup status 6)"},
    FaultInfo{Fault::FirmwareMismatch, "firmware-mismatch", nullptr,
              "the writer runs an older version of its firmware"},
    FaultInfo{Fault::SubMcuMismatch, "sub-mcu-mismatch", nullptr,
              "the sub-MCU runs firmware version 0x0103"},
    FaultInfo{Fault::CoreMismatch, "core-mismatch", nullptr,
              "the writer runs the firmware of another core (Cortex-M3, or Cortex-M0 when "
              "Cortex-M3 firmware was installed last)"},
    FaultInfo{Fault::SwappedBootChecksum, "swapped-boot-checksum", nullptr,
              "the boot loader answers the image checksum low byte first"},
    FaultInfo{Fault::NoBootMode, "no-boot-mode", nullptr,
              "the writer never comes back in boot mode"},
    FaultInfo{Fault::LateStatus, "late-status", nullptr,
              "status reports complete only as their read is cancelled"},
    FaultInfo{Fault::StatusReadError, "status-read-error", nullptr, "status reads fail"},
};

} // namespace

std::span<const FaultInfo> faultTable() {
    return kFaults;
}

uint32_t FaultSet::argument(Fault fault) const {
    const auto found = faults_.find(fault);
    return found != faults_.end() ? found->second : 0;
}

bool FaultSet::add(const std::string& text, std::string& error) {
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    for (const FaultInfo& info : kFaults) {
        if (name != info.name) {
            continue;
        }
        if (info.argument == nullptr) {
            if (equals != std::string::npos) {
                error = "fault " + name + " takes no number";
                return false;
            }
            add(info.fault);
            return true;
        }
        uint32_t value = 0;
        const char* first = text.data() + (equals == std::string::npos ? text.size() : equals + 1);
        const char* last = text.data() + text.size();
        const auto [end, failure] = std::from_chars(first, last, value);
        if (equals == std::string::npos || first == last || failure != std::errc() || end != last) {
            error = "fault " + name;
            error.append(" needs a number: ").append(name).append("=").append(info.argument);
            return false;
        }
        add(info.fault, value);
        return true;
    }
    error = "unknown simulator fault: " + name;
    return false;
}

} // namespace zephlin::sim
