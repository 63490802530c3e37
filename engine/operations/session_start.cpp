#include "operations/session_start.h"

#include "Zephlin_DLL.h"
#include "link/exchanges.h"
#include "link/firmware_installers.h"
#include "link/host_services.h"
#include "link/target_session.h"
#include "link/writer_connection.h"
#include "operations/target_setup_frame.h"
#include "operations/writer_version_check.h"

#include <chrono>

namespace zephlin {
namespace {

// The writer needs this long after an update before it can be opened again.
constexpr std::chrono::milliseconds kPauseAfterUpdate{2000};

// Status words of the target setup.
constexpr uint16_t kSetupReady = 0;
constexpr uint16_t kSetupPowerOnFailure = 2;
constexpr uint16_t kSetupNoResponse = 3;
constexpr uint16_t kSetupIdMismatch = 5;
constexpr uint16_t kSetupLocked = 6;

InstallOutcome installFor(VersionCheck mismatch, uint8_t coreCode) {
    return mismatch == VersionCheck::SubMcuVersion ? updateSubMcuFirmware()
                                                   : updateWriterFirmware(coreCode);
}

// A writer needs at most one update of its firmware and one of its sub-MCU;
// one more round covers an update that did not take the first time. A writer
// that still mismatches after that many successful updates will not be
// mended by another, and the session fails instead of asking forever.
constexpr int kMostUpdateRounds = 3;

// Open, then check the firmware until it matches; every update needs the
// user's Yes, and a writer that still mismatches after a successful update
// is asked about again, up to kMostUpdateRounds updates.
SessionCode openMatchingWriter(uint8_t coreCode) {
    WriterLink& link = writerLink();
    if (!link.open(kWriterProductId)) {
        return SessionCode::NoWriter;
    }
    for (int round = 0;; ++round) {
        const VersionCheck check = checkWriterVersion(coreCode);
        switch (check) {
        case VersionCheck::Match:
            return SessionCode::Ready;
        case VersionCheck::QueryNotSent:
            return SessionCode::VersionQueryNotSent;
        case VersionCheck::ReplyNotRead:
            return SessionCode::VersionReplyNotRead;
        case VersionCheck::FirmwareVersion:
        case VersionCheck::SubMcuVersion:
        case VersionCheck::WrongCore:
            break;
        }
        if (round == kMostUpdateRounds) {
            return SessionCode::UpdateFailed;
        }
        if (!host::askYesNo(updateQuestion(check, coreCode))) {
            return SessionCode::UpdateDeclined;
        }
        if (installFor(check, coreCode) != InstallOutcome::Success) {
            return SessionCode::UpdateFailed;
        }
        link.wait(kPauseAfterUpdate);
        if (!link.open(kWriterProductId)) {
            return SessionCode::NoWriter;
        }
    }
}

SessionCode sessionCodeOf(TargetSetup setup) {
    switch (setup) {
    case TargetSetup::Ready:
        return SessionCode::Ready;
    case TargetSetup::IdMismatch:
        return SessionCode::TargetIdMismatch;
    case TargetSetup::Locked:
        return SessionCode::TargetLocked;
    case TargetSetup::NoResponse:
        return SessionCode::TargetNoResponse;
    default:
        return SessionCode::TargetSetupFailed;
    }
}

} // namespace

TargetSetup setUpTarget(const ChipRecord& chip, bool eraseUnlock) {
    const StatusExchange exchange =
        commandExchange(targetSetupFrame(chip, eraseUnlock, FrameTag::fresh()));
    switch (exchange.outcome) {
    case StatusExchange::Outcome::Status:
        break;
    case StatusExchange::Outcome::NoStatus:
        return TargetSetup::NoStatus;
    case StatusExchange::Outcome::TagMismatch:
        return TargetSetup::TagMismatch;
    case StatusExchange::Outcome::SendFailure:
    case StatusExchange::Outcome::DataFailure:
        return TargetSetup::SendFailure;
    }
    switch (exchange.statusWord) {
    case kSetupReady:
        return TargetSetup::Ready;
    case kSetupPowerOnFailure:
        return TargetSetup::PowerOnFailure;
    case kSetupNoResponse:
        return TargetSetup::NoResponse;
    case kSetupIdMismatch:
        return TargetSetup::IdMismatch;
    case kSetupLocked:
        return TargetSetup::Locked;
    default:
        return TargetSetup::OtherStatus;
    }
}

SessionCode startSession(const ChipRecord& chip, const SessionRequest& request) {
    const SessionCode writer = openMatchingWriter(coreCodeOfChipType(chip.chipType));
    if (writer != SessionCode::Ready || request.kind == SessionKind::WriterOnly) {
        return writer;
    }
    return sessionCodeOf(setUpTarget(chip, request.eraseUnlock));
}

std::optional<uint16_t> endFailedSession(SessionCode code, const SessionRequest& request) {
    uint16_t result = ZEPHLIN_RESULT_FAIL;
    switch (code) {
    case SessionCode::Ready:
        return std::nullopt;
    case SessionCode::NoWriter:
        return ZEPHLIN_RESULT_NO_WRITER; // nothing is open
    case SessionCode::TargetLocked:
        if (request.acceptLockedTarget) {
            return std::nullopt;
        }
        result = ZEPHLIN_RESULT_TARGET_LOCKED;
        break;
    case SessionCode::VersionQueryNotSent:
        result = ZEPHLIN_RESULT_SEND_ERROR;
        break;
    case SessionCode::VersionReplyNotRead:
        result = ZEPHLIN_RESULT_READ_ERROR;
        break;
    case SessionCode::UpdateDeclined:
        result = ZEPHLIN_RESULT_UPDATE_DECLINED;
        break;
    case SessionCode::UpdateFailed:
        result = ZEPHLIN_RESULT_UPDATE_FAILED;
        break;
    case SessionCode::TargetSetupFailed:
        result = ZEPHLIN_RESULT_POWER_ON_FAIL;
        break;
    case SessionCode::TargetIdMismatch:
        result = ZEPHLIN_RESULT_ID_MISMATCH;
        break;
    case SessionCode::TargetNoResponse:
        result = ZEPHLIN_RESULT_NO_RESPONSE;
        break;
    }
    return endSessionWith(result, request.kind);
}

std::optional<uint16_t> beginSession(const ChipRecord& chip, const SessionRequest& request) {
    return endFailedSession(startSession(chip, request), request);
}

uint16_t endSessionWith(uint16_t code, SessionKind kind) {
    endSession(kind == SessionKind::WithTarget);
    return code;
}

} // namespace zephlin
