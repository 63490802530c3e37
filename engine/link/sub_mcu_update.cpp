#include "link/firmware_installers.h"

#include "link/exchanges.h"
#include "link/update_frames.h"
#include "link/writer_connection.h"
#include "link/writer_firmware.h"

#include <algorithm>
#include <array>

namespace zephlin {
namespace {

constexpr std::array<uint8_t, 3> kReady{0xA5, 0x5A, 0x00};
constexpr std::array<uint8_t, 3> kAccepted{0xA5, 0x5A, 0x41};

bool send(const CommandFrame& frame) {
    return writerLink().blockSend(frame.bytes(), ResultWord()) == frame.bytes().size();
}

// Sends a reply query and checks the sub-MCU's three-byte answer.
InstallOutcome expectReply(const std::array<uint8_t, 3>& expected) {
    const QueryExchange query = queryExchange(subMcuReplyQuery(FrameTag::fresh()), 3);
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
    if (!send(enterSubMcuUpdateFrame(FrameTag::fresh()))) {
        return InstallOutcome::SendFailure;
    }
    if (const InstallOutcome ready = expectReply(kReady); ready != InstallOutcome::Success) {
        return ready;
    }
    if (const InstallOutcome started = sendAccepted(subMcuStartPacket(FrameTag::fresh(), *image));
        started != InstallOutcome::Success) {
        return started;
    }
    for (std::size_t offset = 0; offset < image->size(); offset += kSubMcuDataPerPacket) {
        const std::size_t n = std::min(kSubMcuDataPerPacket, image->size() - offset);
        if (const InstallOutcome taken =
                sendAccepted(subMcuDataPacket(FrameTag::fresh(), image->subspan(offset, n)));
            taken != InstallOutcome::Success) {
            return taken;
        }
    }
    return send(subMcuEndPacket(FrameTag::fresh())) ? InstallOutcome::Success
                                                    : InstallOutcome::SendFailure;
}

} // namespace zephlin
