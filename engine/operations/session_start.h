// The session start that every device export runs first: open the writer,
// make sure its firmware serves the part (asking the user before any update)
// and, with target, power the target and let the writer identify it. A
// non-zero session code ends the export through one result mapping.
#pragma once

#include "catalogue/chip_catalogue.h"

#include <cstdint>
#include <optional>

namespace zephlin {

enum class SessionCode : uint8_t {
    Ready = 0,
    NoWriter = 1,            // not found, at the start or when reopening after an update
    VersionQueryNotSent = 3, // the version query was not sent completely
    VersionReplyNotRead = 4, // the version reply could not be fetched
    UpdateDeclined = 8,      // the user answered No to a firmware question
    UpdateFailed = 9,        // an installer reported a failure
    TargetSetupFailed = 10,  // power-on failure, or the setup exchange failed
    TargetIdMismatch = 12,   // setup status 5
    TargetLocked = 17,       // setup status 6
    TargetNoResponse = 19,   // setup status 3
};

enum class SessionKind : uint8_t {
    WriterOnly, // the off-line exports: writer and firmware, no target
    WithTarget, // every other device export
};

struct SessionRequest {
    SessionKind kind = SessionKind::WithTarget;
    // WholeChipErase and ReadCheckSum carry on with a locked target.
    bool acceptLockedTarget = false;
    // Only the first target setup of WholeChipErase on a chip-type-16 part.
    bool eraseUnlock = false;
};

// Outcomes of one target setup exchange.
enum class TargetSetup : uint8_t {
    Ready = 0,
    SendFailure = 3,
    NoStatus = 4,
    PowerOnFailure = 10, // status 2
    IdMismatch = 12,     // status 5
    TagMismatch = 13,
    OtherStatus = 14, // status 1, 4 or above 6
    Locked = 17,      // status 6
    NoResponse = 19,  // status 3
};

// Sends the target setup frame on the open link and judges its status report.
TargetSetup setUpTarget(const ChipRecord& chip, bool eraseUnlock);

// Runs the session start. On return the link is open (except for NoWriter);
// with target and Ready (or an accepted lock) the target is powered.
SessionCode startSession(const ChipRecord& chip, const SessionRequest& request);

// The result mapping shared by every device export: nothing when the export
// carries on, else its result code, after ending the session as the code
// requires (nothing is open after NoWriter; otherwise the session end of the
// request's kind runs).
std::optional<uint16_t> endFailedSession(SessionCode code, const SessionRequest& request);

// startSession, then endFailedSession: nothing when the export may go on.
//     if (const auto failure = beginSession(chip, request)) return *failure;
std::optional<uint16_t> beginSession(const ChipRecord& chip, const SessionRequest& request);

// Ends a session of this kind (a failing end of target is not reported) and
// hands back the code, for `return endSessionWith(code);`.
uint16_t endSessionWith(uint16_t code, SessionKind kind = SessionKind::WithTarget);

// The shape of most device exports: session start, step() for the result
// code, session end.
template <class Step>
uint16_t inSession(const ChipRecord& chip, const SessionRequest& request, Step&& step) {
    if (const auto failure = beginSession(chip, request)) {
        return *failure;
    }
    return endSessionWith(step(), request.kind);
}

} // namespace zephlin
