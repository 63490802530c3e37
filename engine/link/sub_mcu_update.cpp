#include "link/firmware_installers.h"

#include "support/byte_order.h"
#include "support/checksum16.h"
#include "link/command_frame.h"
#include "link/exchanges.h"
#include "link/writer_connection.h"
#include "link/writer_firmware.h"

#include <algorithm>
#include <array>

namespace zephlin {
namespace {

constexpr std::size_t kSubMcuFrameSize = 128;
constexpr std::size_t kPacketData = 16;
constexpr std::size_t kMaxDataPerPacket = 112;
constexpr uint8_t kReadySubMcu = 0x8A;

constexpr std::array<uint8_t, 3> kReady{0xA5, 0x5A, 0x00};
constexpr std::array<uint8_t, 3> kAccepted{0xA5, 0x5A, 0x41};

// A sub-MCU packet frame carrying count bytes from offset 16.
CommandFrame subMcuFrame(uint16_t code, uint32_t count) {
    CommandFrame packet(code, kSubMcuFrameSize);
    packet.put32(frame::kLength, count);
    packet.put8(frame::kChecksum, 1);
    return packet;
}

bool send(const CommandFrame& frame) {
    return writerLink().blockSend(frame.bytes(), ResultWord()) == frame.bytes().size();
}

// Sends a reply query and checks the sub-MCU's three-byte answer.
InstallOutcome expectReply(const std::array<uint8_t, 3>& expected) {
    const QueryExchange query = queryExchange(subMcuFrame(command::kReadSubMcuReply, 3), 3);
    switch (query.outcome) {
    case ReadOutcome::SendFailure:
        return InstallOutcome::SendFailure;
    case ReadOutcome::ReadFailure:
        return InstallOutcome::ReadFailure;
    case ReadOutcome::Done:
        break;
    }
    return std::equal(expected.begin(), expected.end(), query.reply.begin(), query.reply.end())
               ? InstallOutcome::Success
               : InstallOutcome::UnexpectedReply;
}

// Sends a packet and expects the sub-MCU to accept it.
InstallOutcome sendAccepted(const CommandFrame& packet) {
    if (!send(packet)) {
        return InstallOutcome::SendFailure;
    }
    return expectReply(kAccepted);
}

} // namespace

InstallOutcome updateSubMcuFirmware() {
    // As for the writer firmware: no image, no update mode.
    const auto image = installableFirmwareImage(kSubMcuImageId);
    if (!image) {
        return InstallOutcome::ImageMissing;
    }
    CommandFrame enter(command::kEnterFirmwareUpdate, kSubMcuFrameSize);
    enter.put8(4, 0x00);
    enter.put8(5, kReadySubMcu);
    if (!send(enter)) {
        return InstallOutcome::SendFailure;
    }
    if (const InstallOutcome ready = expectReply(kReady); ready != InstallOutcome::Success) {
        return ready;
    }

    const auto length = static_cast<uint32_t>(image->size());

    constexpr std::array<uint8_t, 7> kStartMarker{0x5A, 0xA5, 0x80, 0, 0, 0, 0};
    CommandFrame start = subMcuFrame(command::kSubMcuPacket, 15);
    for (std::size_t i = 0; i < kStartMarker.size(); ++i) {
        start.put8(kPacketData + i, kStartMarker[i]);
    }
    std::array<uint8_t, 6> sizeAndSum{};
    storeBigEndian(sizeAndSum, 0, 4, length);
    storeBigEndian(sizeAndSum, 4, 2, checksum16(*image));
    for (std::size_t i = 0; i < sizeAndSum.size(); ++i) {
        start.put8(kPacketData + kStartMarker.size() + i, sizeAndSum[i]);
    }
    if (const InstallOutcome started = sendAccepted(start); started != InstallOutcome::Success) {
        return started;
    }

    for (std::size_t offset = 0; offset < image->size(); offset += kMaxDataPerPacket) {
        const std::size_t n = std::min(kMaxDataPerPacket, image->size() - offset);
        CommandFrame data = subMcuFrame(command::kSubMcuPacket, static_cast<uint32_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            data.put8(kPacketData + i, (*image)[offset + i]);
        }
        if (const InstallOutcome taken = sendAccepted(data); taken != InstallOutcome::Success) {
            return taken;
        }
    }

    CommandFrame end = subMcuFrame(command::kSubMcuPacket, 3);
    end.put8(kPacketData, 0x5A);
    end.put8(kPacketData + 1, 0xA5);
    end.put8(kPacketData + 2, 0x88);
    return send(end) ? InstallOutcome::Success : InstallOutcome::SendFailure;
}

} // namespace zephlin
