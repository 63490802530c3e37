#include "link/update_frames.h"

#include "support/byte_order.h"
#include "support/checksum16.h"

#include <stdexcept>

namespace zephlin {
namespace {

constexpr std::size_t kEnterBootFrameSize = 64;
constexpr std::size_t kUpdateKind = 5;
constexpr uint8_t kEnterBootMode = 0x86;
constexpr uint8_t kReadySubMcu = 0x8A;

constexpr uint8_t kHeaderPacket = 0x33;
constexpr uint8_t kCheckRequestPacket = 0x22;
constexpr uint8_t kFinishPacket = 0x44;

// Sub-MCU packets carry their byte count in the length field, 1 in byte 12
// and their bytes from offset 16.
constexpr std::size_t kPacketData = 16;
constexpr uint8_t kPacketMarker = 1;

BootPacket bootPacket(uint8_t kind) {
    BootPacket packet{};
    packet[0] = kind;
    return packet;
}

CommandFrame subMcuFrame(uint16_t code, FrameTag tag, uint32_t count) {
    CommandFrame packet(code, tag, kSubMcuFrameSize);
    packet.put32(frame::kLength, count);
    packet.put8(frame::kChecksum, kPacketMarker);
    return packet;
}

CommandFrame subMcuPacket(FrameTag tag, std::span<const uint8_t> bytes) {
    if (bytes.size() > kSubMcuDataPerPacket) {
        throw std::length_error("sub-MCU packet longer than 112 bytes");
    }
    CommandFrame packet =
        subMcuFrame(command::kSubMcuPacket, tag, static_cast<uint32_t>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        packet.put8(kPacketData + i, bytes[i]);
    }
    return packet;
}

} // namespace

CommandFrame enterBootModeFrame(FrameTag tag) {
    CommandFrame enter(command::kEnterFirmwareUpdate, tag, kEnterBootFrameSize);
    enter.put8(kUpdateKind, kEnterBootMode);
    return enter;
}

BootPacket bootHeaderPacket(std::span<const uint8_t> image) {
    BootPacket header = bootPacket(kHeaderPacket);
    storeBigEndian(header, 4, 3, static_cast<uint32_t>(image.size()));
    storeBigEndian(header, 7, 2, checksum16(image));
    return header;
}

BootPacket bootCheckRequestPacket() {
    return bootPacket(kCheckRequestPacket);
}

BootPacket bootFinishPacket() {
    return bootPacket(kFinishPacket);
}

CommandFrame enterSubMcuUpdateFrame(FrameTag tag) {
    CommandFrame enter(command::kEnterFirmwareUpdate, tag, kSubMcuFrameSize);
    enter.put8(kUpdateKind, kReadySubMcu);
    return enter;
}

CommandFrame subMcuReplyQuery(FrameTag tag) {
    return subMcuFrame(command::kReadSubMcuReply, tag, 3);
}

CommandFrame subMcuStartPacket(FrameTag tag, std::span<const uint8_t> image) {
    std::array<uint8_t, 15> start{0x5A, 0xA5, 0x80};
    storeBigEndian(start, 7, 4, static_cast<uint32_t>(image.size()));
    storeBigEndian(start, 11, 2, checksum16(image));
    return subMcuPacket(tag, start);
}

CommandFrame subMcuDataPacket(FrameTag tag, std::span<const uint8_t> piece) {
    return subMcuPacket(tag, piece);
}

CommandFrame subMcuEndPacket(FrameTag tag) {
    constexpr std::array<uint8_t, 3> kEnd{0x5A, 0xA5, 0x88};
    return subMcuPacket(tag, kEnd);
}

} // namespace zephlin
