// CheckID: the target's device ID against the catalogue.
#include "Zephlin_DLL.h"
#include "link/exchanges.h"
#include "operations/device_export.h"
#include "operations/session_start.h"
#include "operations/writer_transfers.h"
#include "support/byte_order.h"

namespace zephlin {
namespace {

constexpr std::size_t kDeviceIdReplySize = 4;
constexpr uint32_t kLow24Bits = 0x00FFFFFF;

// The short-ID families answer their 16-bit ID with 5 above it and a byte
// that is not compared; the others answer all 32 bits.
bool deviceIdMatches(const ChipRecord& chip, uint32_t reply) {
    if (usesFullDeviceId(chip.chipType)) {
        return reply == chip.deviceId;
    }
    return (reply & kLow24Bits) == targetIdentityWord(chip);
}

uint16_t checkId(const ChipRecord& chip) {
    if (const auto failure = beginSession(chip, {})) {
        return *failure;
    }
    const QueryExchange query =
        queryExchange(queryFrame(command::kReadDeviceId, FrameTag::fresh(), kDeviceIdReplySize),
                      kDeviceIdReplySize);
    if (query.outcome != ReadOutcome::Done) {
        return endSessionWith(resultOfRead(query.outcome));
    }
    return endSessionWith(deviceIdMatches(chip, loadLe32(query.reply, 0)) ? ZEPHLIN_RESULT_PASS
                                                                          : ZEPHLIN_RESULT_FAIL);
}

} // namespace
} // namespace zephlin

extern "C" ZEPHLIN_API uint16_t CheckID(ZephlinContext* context) {
    return zephlin::runDeviceExport(
        context, [](ZephlinContext&, const zephlin::ChipRecord& chip, const zephlin::ResultWord&) {
            return zephlin::checkId(chip);
        });
}
