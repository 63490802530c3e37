// The writer link: the library's single connection to the writer box and the
// five transfers everything else is built from. Only one device operation
// runs at a time, so the link has no lock.
#pragma once

#include "link/hid_device.h"
#include "support/result_word.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace zephlin {

inline constexpr uint16_t kWriterVendorId = 0x4B19;
inline constexpr uint16_t kWriterProductId = 0x0326;     // normal mode
inline constexpr uint16_t kBootLoaderProductId = 0x030B; // firmware update mode

inline constexpr std::size_t kCommandPiece = 128; // payload of a 129-byte report
inline constexpr std::size_t kBootPiece = 64;     // payload of a 65-byte report
inline constexpr std::size_t kReadPiece = 1024;   // payload of a 1025-byte report
inline constexpr std::size_t kStatusReportSize = 64;
inline constexpr std::chrono::milliseconds kStatusTimeLimit{3000};

using StatusReport = std::array<uint8_t, kStatusReportSize>;

class WriterLink {
public:
    explicit WriterLink(HidBackend& backend) : backend_(&backend) {}

    // Closes any handle still held, then opens the first writer with this
    // product ID. False when none can be opened.
    bool open(uint16_t productId);

    // Sends count bytes in reports of piece + 1 bytes, the last one zero-filled.
    // Returns the bytes sent; a short count means a report was refused. With a
    // progress word, stores 0 first and the percentage after every piece.
    std::size_t blockSend(std::span<const uint8_t> bytes, ResultWord progress,
                          std::size_t piece = kCommandPiece);

    // Fetches buffer.size() bytes in 1025-byte feature reports. Returns the
    // bytes received; progress as for blockSend.
    std::size_t blockRead(std::span<uint8_t> buffer, ResultWord progress);

    // Collects one status report from input reports, each waited for up to
    // 3000 ms. Returns the bytes collected; anything but 64 is a failure.
    std::size_t statusRead(StatusReport& buffer);

    void close();
    bool isOpen() const { return device_ != nullptr; }

    // A protocol pause, through the backend.
    void wait(std::chrono::milliseconds duration) { backend_->wait(duration); }

    uint16_t productId() const { return productId_; }
    const HidCapabilities& capabilities() const { return capabilities_; }

    // Called by the backend selection only, with the link closed.
    void useBackend(HidBackend& backend) { backend_ = &backend; }

private:
    HidBackend* backend_;
    std::unique_ptr<HidDevice> device_;
    uint16_t vendorId_ = kWriterVendorId;
    uint16_t productId_ = kWriterProductId;
    HidCapabilities capabilities_{};
};

} // namespace zephlin
