#include "operations/writer_version_check.h"

#include "link/exchanges.h"
#include "link/writer_firmware.h"
#include "support/byte_order.h"

namespace zephlin {
namespace {

// The version reply: firmware version (4 bytes), sub-MCU version (2), one
// byte nobody reads, and the core the running firmware serves.
constexpr std::size_t kVersionReplySize = 8;
constexpr std::size_t kFirmwareVersionOffset = 0;
constexpr std::size_t kSubMcuVersionOffset = 4;
constexpr std::size_t kCoreCodeOffset = 7;

const wchar_t* coreName(uint8_t coreCode) {
    switch (coreCode) {
    case 3:
        return L"CM3";
    case 4:
        return L"CM0+";
    default:
        return L"CM0";
    }
}

} // namespace

VersionCheck checkWriterVersion(uint8_t coreCode) {
    const QueryExchange query =
        queryExchange(queryFrame(command::kReadWriterVersion, FrameTag::fresh(), kVersionReplySize),
                      kVersionReplySize);
    switch (query.outcome) {
    case ReadOutcome::SendFailure:
        return VersionCheck::QueryNotSent;
    case ReadOutcome::ReadFailure:
        return VersionCheck::ReplyNotRead;
    case ReadOutcome::Done:
        break;
    }
    if (query.reply.at(kCoreCodeOffset) != coreCode) {
        return VersionCheck::WrongCore;
    }
    const WriterFirmware* expected = writerFirmwareForCore(coreCode);
    if (expected == nullptr || loadLe32(query.reply, kFirmwareVersionOffset) != expected->version) {
        return VersionCheck::FirmwareVersion;
    }
    if (loadLe16(query.reply, kSubMcuVersionOffset) != kExpectedSubMcuVersion) {
        return VersionCheck::SubMcuVersion;
    }
    return VersionCheck::Match;
}

std::wstring updateQuestion(VersionCheck mismatch, uint8_t coreCode) {
    switch (mismatch) {
    case VersionCheck::FirmwareVersion:
        return L"Unmatched FW version, Do you want to update ?";
    case VersionCheck::SubMcuVersion:
        return L"Unmatched sub MCU FW version, Do you want to update ?";
    default:
        return std::wstring(L"FW is not support ") + coreName(coreCode) +
               L", Do you want to update ?";
    }
}

} // namespace zephlin
