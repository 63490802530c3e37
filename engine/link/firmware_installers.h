// The two firmware installers. The writer firmware update restarts the writer
// in boot mode and hands the image for a core to its boot loader; the sub-MCU
// update feeds the sub-MCU image through normal command frames. Neither
// reports progress; the session start decides when to run them.
#pragma once

#include <cstdint>

namespace zephlin {

enum class InstallOutcome : uint8_t {
    Success = 0,
    NoBootMode = 1,        // the writer did not come back in boot mode
    SendFailure = 3,       // a frame, packet or block was not sent completely
    ReadFailure = 4,       // a reply could not be fetched
    UnexpectedReply = 9,   // the sub-MCU answered something else than expected
    ChecksumMismatch = 15, // the boot loader summed the image differently
    ImageMissing = 16,     // the library has no image for it
};

// Installs the writer firmware for a core code (1, 3 or 4) over the open
// normal-mode link. Leaves the link open to the vanished boot-mode device;
// the caller waits 2000 ms and reopens the writer in normal mode. A failure
// once the boot loader has been reached shows the stop message.
InstallOutcome updateWriterFirmware(uint8_t coreCode);

// Installs the sub-MCU firmware over the open normal-mode link, which stays
// open.
InstallOutcome updateSubMcuFirmware();

// The stop message of a failed writer firmware update.
inline constexpr const wchar_t* kFirmwareUpdateFailedMessage =
    L"Update FW has a serious error,\n Please remove HW immediately !";

} // namespace zephlin
