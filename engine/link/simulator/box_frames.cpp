#include "link/simulator/box_frames.h"

#include "support/byte_order.h"

namespace zephlin::sim {

std::optional<ReceivedFrame> readFrame(std::span<const uint8_t> payload) {
    if (payload.size() < 16 || payload[0] != 0x55) {
        return std::nullopt;
    }
    return ReceivedFrame{
        .tag = payload[1],
        .command = static_cast<BoxCommand>(loadLe16(payload, 2)),
        .start = loadLe32(payload, 4),
        .length = loadLe32(payload, 8),
        .checksum = loadLe16(payload, 12),
    };
}

std::optional<TargetRequest> readTargetRequest(std::span<const uint8_t> payload) {
    if (payload.size() < 18) {
        return std::nullopt;
    }
    return TargetRequest{
        .identity = loadLe32(payload, 4),
        .parameterWord = loadLe32(payload, 12),
        .chipType = payload[16],
        .eraseUnlock = payload[17] == 1,
    };
}

UpdateRequest readUpdateRequest(std::span<const uint8_t> payload) {
    if (payload.size() <= 5) {
        return UpdateRequest::Other;
    }
    switch (payload[5]) {
    case 0x86:
        return UpdateRequest::BootMode;
    case 0x8A:
        return UpdateRequest::SubMcu;
    default:
        return UpdateRequest::Other;
    }
}

} // namespace zephlin::sim
