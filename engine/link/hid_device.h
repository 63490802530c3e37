// The HID layer under the writer link: enumeration and opening by vendor and
// product ID, feature reports in both directions and timed reads of input
// reports. Two backends implement it: real USB devices through hidapi and the
// built-in writer simulator. Everything above this interface is the same for
// both; nothing above it sees hidapi.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zephlin {

// Report lengths from the device's HID capabilities, each including the
// report-ID byte.
struct HidCapabilities {
    std::size_t inputReportLength = 0;
    std::size_t outputReportLength = 0;
    std::size_t featureReportLength = 0;
};

enum class InputReadStatus {
    Delivered,     // a report arrived within the time limit
    DeliveredLate, // the time limit passed, but the report completed before it could be cancelled
    TimedOut,      // nothing arrived; the read was cancelled
    Failed,        // the read failed
};

struct InputRead {
    InputReadStatus status = InputReadStatus::TimedOut;
    std::size_t length = 0; // bytes stored, report-ID byte included
};

class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual HidCapabilities capabilities() const = 0;

    // Sends one feature report of exactly report.size() bytes; report[0] is the
    // report ID. True when the device took it.
    virtual bool writeFeatureReport(std::span<const uint8_t> report) = 0;

    // Fetches one feature report with the ID in report[0] into report. Returns
    // the number of bytes received, report-ID byte included; 0 on failure.
    virtual std::size_t readFeatureReport(std::span<uint8_t> report) = 0;

    // Reads one input report into report (report-ID byte first), waiting at
    // most limit.
    virtual InputRead readInputReport(std::span<uint8_t> report,
                                      std::chrono::milliseconds limit) = 0;
};

struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // The present HID interfaces with these IDs, in enumeration order.
    virtual std::vector<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;

    // Opens one enumerated interface for reading and writing; nullptr when it
    // cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const HidInterfaceInfo& interface) = 0;

    // The protocol's pauses. The USB backend sleeps; the simulator advances
    // its virtual clock.
    virtual void wait(std::chrono::milliseconds duration) = 0;
};

// The first interface in enumeration order whose IDs match and that can be
// opened; interfaces that cannot be opened are skipped. nullptr when none.
std::unique_ptr<HidDevice> openFirstMatching(HidBackend& backend, uint16_t vendorId,
                                             uint16_t productId);

} // namespace zephlin
