// The end of a device session: releasing the target and closing the link.
#pragma once

#include <cstdint>

namespace zephlin {

// Internal codes of the target commands, which the session start maps to
// result codes.
namespace link_code {
inline constexpr uint8_t kDone = 0;
inline constexpr uint8_t kSendFailure = 3;
inline constexpr uint8_t kNoStatus = 4;
inline constexpr uint8_t kTagMismatch = 13;
inline constexpr uint8_t kOtherStatus = 14;
inline constexpr uint8_t kNoResponse = 19;
} // namespace link_code

// Status words of the target commands.
inline constexpr uint16_t kTargetStatusNoResponse = 3;

// The end-of-target command: the writer powers the target down. Returns
// kDone, kSendFailure, kNoStatus, kTagMismatch, kNoResponse (status 3) or
// kOtherStatus.
uint8_t endOfTarget();

// With target: end of target, then close the link when it succeeded; when it
// failed, the link stays open (the next open releases it) and the code is
// returned. Without target: close the link and return kDone.
uint8_t endSession(bool withTarget);

} // namespace zephlin
