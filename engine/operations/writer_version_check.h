// The writer firmware check of the session start: the writer must run the
// firmware of the part's core, in the version the library expects, with the
// expected sub-MCU firmware. Each kind of mismatch has its own question.
#pragma once

#include <cstdint>
#include <string>

namespace zephlin {

enum class VersionCheck : uint8_t {
    Match = 0,
    QueryNotSent = 3,
    ReplyNotRead = 4,
    FirmwareVersion = 5, // the right core, another firmware version
    SubMcuVersion = 6,   // the right firmware, another sub-MCU version
    WrongCore = 7,       // the firmware serves another core
};

// Queries the writer's versions over the open link and compares them with
// what the part's core code needs.
VersionCheck checkWriterVersion(uint8_t coreCode);

// The question asked for a mismatch (FirmwareVersion, SubMcuVersion or
// WrongCore).
std::wstring updateQuestion(VersionCheck mismatch, uint8_t coreCode);

} // namespace zephlin
