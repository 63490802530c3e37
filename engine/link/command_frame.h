// Command frames: every request to the writer. A frame starts with the sync
// byte 0x55, the random tag that the status report echoes, and the 16-bit
// command; multi-byte fields are least significant byte first. Building a
// frame is a pure function of its fields: the caller draws the tag and hands
// it in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

// Command codes: the low byte is the operation (2 erase, 3 sub-MCU data,
// 4 query, 5 write, 6 read, 7 target, 1 firmware), the high byte the object.
namespace command {
inline constexpr uint16_t kEraseMainArea = 0x0102;
inline constexpr uint16_t kEraseWholeChip = 0x0202;
inline constexpr uint16_t kEraseSecondArea = 0x0302; // object 3, unlike its reads and writes
inline constexpr uint16_t kWriteMainArea = 0x0105;
inline constexpr uint16_t kWriteSecondArea = 0x0605;
inline constexpr uint16_t kWriteOptionWords = 0x0205;
inline constexpr uint16_t kWriteOfflineImage = 0x0405;
inline constexpr uint16_t kWriteOfflineSettings = 0x0305;
inline constexpr uint16_t kReadMainArea = 0x0106;
inline constexpr uint16_t kReadSecondArea = 0x0606;
inline constexpr uint16_t kReadOptionWords = 0x0206;
inline constexpr uint16_t kReadOfflineInfo = 0x0306;
inline constexpr uint16_t kReadDeviceId = 0x0904;
inline constexpr uint16_t kReadWriterVersion = 0x0A04;
inline constexpr uint16_t kReadSubMcuReply = 0x0B04;
inline constexpr uint16_t kSubMcuPacket = 0x0603;
inline constexpr uint16_t kEnterFirmwareUpdate = 0x0901;
inline constexpr uint16_t kTargetSetup = 0x0107;
inline constexpr uint16_t kEndOfTarget = 0x0207;
} // namespace command

inline constexpr uint8_t kFrameSync = 0x55;
inline constexpr std::size_t kFrameSize = 16;

// Frame byte offsets.
namespace frame {
inline constexpr std::size_t kSync = 0;
inline constexpr std::size_t kTag = 1;
inline constexpr std::size_t kCommand = 2;
inline constexpr std::size_t kStart = 4;
inline constexpr std::size_t kLength = 8;
inline constexpr std::size_t kChecksum = 12;
} // namespace frame

// The random tag of one frame. A type of its own, so that a tag can never
// take the place of a frame field or a field that of a tag.
struct FrameTag {
    uint8_t value = 0;

    // The low 8 bits of the next value of the library's random generator.
    static FrameTag fresh();
};

class CommandFrame {
public:
    // size zero bytes with sync, tag and command set.
    CommandFrame(uint16_t command, FrameTag tag, std::size_t size = kFrameSize);

    void put8(std::size_t offset, uint8_t value);
    void put16(std::size_t offset, uint16_t value);
    void put32(std::size_t offset, uint32_t value);

    uint8_t tag() const { return bytes_[frame::kTag]; }
    std::span<const uint8_t> bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// A 16-byte frame with start, length and checksum fields. For the erase
// commands length is the page count and checksum the page size.
CommandFrame commandFrame(uint16_t command, FrameTag tag, uint32_t start = 0, uint32_t length = 0,
                          uint16_t checksum = 0);

// A query (device ID, writer version): byte 8 holds the reply length.
CommandFrame queryFrame(uint16_t command, FrameTag tag, uint8_t replyLength);

} // namespace zephlin
