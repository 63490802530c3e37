// The frames and packets of the two firmware installers, built from their
// fields alone; the installers draw the tags and send them.
#pragma once

#include "link/command_frame.h"
#include "link/writer_link.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zephlin {

// ---- Writer firmware: the enter frame, then the boot loader's packets ------

// The 64-byte frame 0x0901 with byte 5 = 0x86 that restarts the writer in
// boot mode.
CommandFrame enterBootModeFrame(FrameTag tag);

// A boot-loader packet: 64 bytes, zero-filled, its kind in byte 0.
using BootPacket = std::array<uint8_t, kBootPiece>;

// Kind 0x33 with the image length in bytes 4..6 and its 16-bit sum in bytes
// 7..8, both most significant byte first.
BootPacket bootHeaderPacket(std::span<const uint8_t> image);
// Kind 0x22: asks for the boot loader's sum of what it received.
BootPacket bootCheckRequestPacket();
// Kind 0x44: the writer restarts in normal mode.
BootPacket bootFinishPacket();

// ---- Sub-MCU firmware: 128-byte frames -------------------------------------

inline constexpr std::size_t kSubMcuFrameSize = 128;
// Image bytes per data packet.
inline constexpr std::size_t kSubMcuDataPerPacket = 112;

// Frame 0x0901 with byte 5 = 0x8A: the writer readies its sub-MCU.
CommandFrame enterSubMcuUpdateFrame(FrameTag tag);
// Frame 0x0B04 asking for the sub-MCU's three-byte reply.
CommandFrame subMcuReplyQuery(FrameTag tag);
// Packet 0x0603 with the marker 5A A5 80 00 00 00 00, the image length (4
// bytes) and its 16-bit sum (2 bytes), both most significant byte first.
CommandFrame subMcuStartPacket(FrameTag tag, std::span<const uint8_t> image);
// Packet 0x0603 with the next piece of the image, at most 112 bytes.
CommandFrame subMcuDataPacket(FrameTag tag, std::span<const uint8_t> piece);
// Packet 0x0603 with the end marker 5A A5 88.
CommandFrame subMcuEndPacket(FrameTag tag);

} // namespace zephlin
