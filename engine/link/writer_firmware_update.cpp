#include "link/firmware_installers.h"

#include "link/host_services.h"
#include "link/update_frames.h"
#include "link/writer_connection.h"
#include "link/writer_firmware.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <array>

namespace zephlin {
namespace {

constexpr int kBootModeRetries = 30;
constexpr std::chrono::milliseconds kBootModeRetryPause{1000};
constexpr std::chrono::milliseconds kRestartPause{1000};

// The boot loader erases its flash after the header: 30 ms per 512 bytes begun.
std::chrono::milliseconds eraseTime(std::size_t imageLength) {
    return std::chrono::milliseconds(30 * (imageLength / 512 + 1));
}

bool openBootLoader(WriterLink& link) {
    for (int attempt = 0;; ++attempt) {
        if (link.open(kBootLoaderProductId)) {
            return true;
        }
        if (attempt == kBootModeRetries) {
            return false;
        }
        link.wait(kBootModeRetryPause);
    }
}

bool sendBootBlock(WriterLink& link, std::span<const uint8_t> bytes) {
    return link.blockSend(bytes, ResultWord(), kBootPiece) == bytes.size();
}

InstallOutcome failLoudly(InstallOutcome outcome) {
    host::showMessage(kFirmwareUpdateFailedMessage, host::MessageKind::Stop);
    return outcome;
}

} // namespace

InstallOutcome updateWriterFirmware(uint8_t coreCode) {
    WriterLink& link = writerLink();
    // The image is looked up before the writer is touched: without one, the
    // writer must not be left waiting in boot mode.
    const WriterFirmware* firmware = writerFirmwareForCore(coreCode);
    const auto image =
        firmware != nullptr ? installableFirmwareImage(firmware->imageId) : std::nullopt;
    if (!image) {
        return InstallOutcome::ImageMissing;
    }

    const CommandFrame enter = enterBootModeFrame(FrameTag::fresh());
    if (link.blockSend(enter.bytes(), ResultWord(), kCommandPiece) != enter.bytes().size()) {
        return InstallOutcome::SendFailure;
    }
    if (!openBootLoader(link)) {
        return InstallOutcome::NoBootMode;
    }

    if (!sendBootBlock(link, bootHeaderPacket(*image))) {
        return failLoudly(InstallOutcome::SendFailure);
    }
    link.wait(eraseTime(image->size()));
    if (!sendBootBlock(link, *image)) {
        return failLoudly(InstallOutcome::SendFailure);
    }
    if (!sendBootBlock(link, bootCheckRequestPacket())) {
        return failLoudly(InstallOutcome::SendFailure);
    }
    std::array<uint8_t, 2> answer{};
    if (link.blockRead(answer, ResultWord()) != answer.size()) {
        return failLoudly(InstallOutcome::ReadFailure);
    }
    if (loadBigEndian(answer, 0, 2) != checksum16(*image)) {
        return failLoudly(InstallOutcome::ChecksumMismatch);
    }
    if (!sendBootBlock(link, bootFinishPacket())) {
        return InstallOutcome::SendFailure;
    }
    link.wait(kRestartPause);
    return InstallOutcome::Success;
}

} // namespace zephlin
