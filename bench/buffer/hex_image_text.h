// The Intel HEX file of the throughput benchmark: a 4 MiB image in 16-byte
// data records with an extended linear address record before every 64 KiB,
// CR LF line ends, as microcontroller tool chains write them. The file is
// about 11.8 MB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zephlin::bench {

inline constexpr std::size_t kHexImageBytes = 4u << 20;

inline std::string intelHexText(std::size_t imageBytes = kHexImageBytes) {
    constexpr std::size_t kRecordBytes = 16;
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(imageBytes / kRecordBytes * 45 + 64);
    const auto appendRecord = [&](uint8_t type, uint16_t address, const uint8_t* data,
                                  std::size_t count) {
        uint8_t sum = 0;
        text += ':';
        const auto appendByte = [&](uint8_t byte) {
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0x0F];
            sum = static_cast<uint8_t>(sum + byte);
        };
        appendByte(static_cast<uint8_t>(count));
        appendByte(static_cast<uint8_t>(address >> 8));
        appendByte(static_cast<uint8_t>(address));
        appendByte(type);
        for (std::size_t i = 0; i < count; ++i) {
            appendByte(data[i]);
        }
        appendByte(static_cast<uint8_t>(-sum));
        text += "\r\n";
    };
    uint8_t data[kRecordBytes];
    for (std::size_t at = 0; at < imageBytes; at += kRecordBytes) {
        if (at % 0x10000 == 0) {
            const uint8_t base[2] = {static_cast<uint8_t>(at >> 24),
                                     static_cast<uint8_t>(at >> 16)};
            appendRecord(4, 0, base, 2);
        }
        for (std::size_t i = 0; i < kRecordBytes; ++i) {
            data[i] = static_cast<uint8_t>((at + i) * 7 + (at >> 12));
        }
        appendRecord(0, static_cast<uint16_t>(at), data, kRecordBytes);
    }
    appendRecord(1, 0, nullptr, 0);
    return text;
}

} // namespace zephlin::bench
