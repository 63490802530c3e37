// The faults the writer simulator can inject, by name. A fault is given as
// "name" or, for those that take a number, "name=number".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace zephlin::sim {

enum class Fault {
    NoWriter,            // nothing enumerates
    UnopenableInterface, // an interface that cannot be opened is listed before the writer
    DropStatus,          // status reports never arrive
    WrongTag,            // status reports echo a wrong tag
    ShortFeatureRead,    // feature reads deliver only part of a report
    UnplugAfter,         // the writer vanishes after N reports
    PowerOnFailure,      // target setup answers status 2
    NoResponse,          // the target is silent: target setup and end of target answer 3
    IdMismatch,          // target setup answers status 5
    Locked,              // the chip in the socket is read-protected until a whole-chip erase
    FirmwareMismatch,    // the writer runs an older version of its firmware
    SubMcuMismatch,      // the sub-MCU runs version 0x0103
    CoreMismatch,        // the writer runs the firmware of another core
    SwappedBootChecksum, // the boot loader answers the check request low byte first
    NoBootMode,          // the writer never comes back in boot mode
    LateStatus,          // a status read's cancel finds the report already complete
    StatusReadError,     // status reads fail outright
};

struct FaultInfo {
    Fault fault;
    const char* name;
    const char* argument; // name of the number, or nullptr
    const char* description;
};

std::span<const FaultInfo> faultTable();

// The faults in force, each with its number (0 for those without one).
class FaultSet {
public:
    bool has(Fault fault) const { return faults_.contains(fault); }
    uint32_t argument(Fault fault) const;
    void add(Fault fault, uint32_t argument = 0) { faults_[fault] = argument; }
    void remove(Fault fault) { faults_.erase(fault); }

    // Adds a fault given as text; false with a reason when it is not valid.
    bool add(const std::string& text, std::string& error);

private:
    std::map<Fault, uint32_t> faults_;
};

} // namespace zephlin::sim
