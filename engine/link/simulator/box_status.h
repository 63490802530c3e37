// The status words the simulated writer answers with.
#pragma once

#include <cstdint>

namespace zephlin::sim::box_status {

inline constexpr uint16_t kDone = 0;
inline constexpr uint16_t kChecksumError = 1;
inline constexpr uint16_t kPowerOnFailure = 2;
inline constexpr uint16_t kNoResponse = 3;
inline constexpr uint16_t kRefused = 4; // out of range, no target powered, target locked
inline constexpr uint16_t kIdMismatch = 5;
inline constexpr uint16_t kLocked = 6;
inline constexpr uint16_t kUnknownCommand = 7;

} // namespace zephlin::sim::box_status
