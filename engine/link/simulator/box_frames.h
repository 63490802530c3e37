// The command frames as the simulated box reads them. The box keeps a layout
// of its own, written out from the writer's protocol, and never uses the
// library's frame constants: a value that is wrong on one side then makes the
// exchanges fail instead of passing on both, and the wire-format test holds
// both sides to the same literal bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zephlin::sim {

enum class BoxCommand : uint16_t {
    EraseMainArea = 0x0102,
    EraseWholeChip = 0x0202,
    EraseSecondArea = 0x0302,
    WriteMainArea = 0x0105,
    WriteSecondArea = 0x0605,
    WriteOptionWords = 0x0205,
    WriteOfflineImage = 0x0405,
    WriteOfflineSettings = 0x0305,
    ReadMainArea = 0x0106,
    ReadSecondArea = 0x0606,
    ReadOptionWords = 0x0206,
    ReadOfflineInfo = 0x0306,
    ReadDeviceId = 0x0904,
    ReadWriterVersion = 0x0A04,
    ReadSubMcuReply = 0x0B04,
    SubMcuPacket = 0x0603,
    EnterFirmwareUpdate = 0x0901,
    TargetSetup = 0x0107,
    EndOfTarget = 0x0207,
};

// The fields every frame carries in its first 16 bytes: 0x55, the tag, the
// command (bytes 2..3), start (4..7), length (8..11) and checksum (12..13),
// least significant byte first.
struct ReceivedFrame {
    uint8_t tag = 0;
    BoxCommand command{};
    uint32_t start = 0;
    uint32_t length = 0;
    uint16_t checksum = 0;
};

// The frame a report's payload holds, or nothing when it does not begin with
// 0x55 or is shorter than 16 bytes.
std::optional<ReceivedFrame> readFrame(std::span<const uint8_t> payload);

// What a target setup frame asks for: the identity in bytes 4..7, the
// parameter word in 12..15, the chip type in 16 and the erase-unlock request
// (1) in 17. Nothing when the payload is shorter than 18 bytes.
struct TargetRequest {
    uint32_t identity = 0;
    uint32_t parameterWord = 0;
    uint8_t chipType = 0;
    bool eraseUnlock = false;
};
std::optional<TargetRequest> readTargetRequest(std::span<const uint8_t> payload);

// Byte 5 of the enter-firmware-update frame.
enum class UpdateRequest : uint8_t { BootMode = 0x86, SubMcu = 0x8A, Other = 0 };
UpdateRequest readUpdateRequest(std::span<const uint8_t> payload);

} // namespace zephlin::sim
