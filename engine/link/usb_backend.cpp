#include "link/usb_backend.h"

#include "link/hid_report_descriptor.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace zephlin {
namespace {

// The writer's status reports: report ID and 64 bytes. Used when a device's
// report descriptor cannot be read.
constexpr std::size_t kFallbackInputReportLength = 65;
// The largest report descriptor a HID device may have.
constexpr std::streamsize kMaxReportDescriptor = 4096;

struct DeviceCloser {
    void operator()(hid_device* device) const { hid_close(device); }
};
using DeviceHandle = std::unique_ptr<hid_device, DeviceCloser>;

struct EnumerationFree {
    void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};
using Enumeration = std::unique_ptr<hid_device_info, EnumerationFree>;

int clampToInt(std::size_t value) {
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

// hidraw publishes each node's report descriptor in sysfs, beside the node's
// name: /dev/hidraw3 has /sys/class/hidraw/hidraw3/device/report_descriptor.
HidCapabilities capabilitiesOfNode(const std::string& path) {
    const std::filesystem::path sysfs = std::filesystem::path("/sys/class/hidraw") /
                                        std::filesystem::path(path).filename() / "device" /
                                        "report_descriptor";
    std::ifstream in(sysfs, std::ios::binary);
    std::vector<uint8_t> descriptor;
    if (in) {
        std::vector<char> raw(static_cast<std::size_t>(kMaxReportDescriptor));
        in.read(raw.data(), kMaxReportDescriptor);
        descriptor.assign(raw.begin(), raw.begin() + in.gcount());
    }
    HidCapabilities caps = capabilitiesFromReportDescriptor(descriptor);
    if (caps.inputReportLength == 0) {
        caps.inputReportLength = kFallbackInputReportLength;
    }
    return caps;
}

class UsbDevice final : public HidDevice {
public:
    UsbDevice(DeviceHandle handle, HidCapabilities caps)
        : handle_(std::move(handle)), caps_(caps) {}

    HidCapabilities capabilities() const override { return caps_; }

    bool writeFeatureReport(std::span<const uint8_t> report) override {
        const int sent = hid_send_feature_report(handle_.get(), report.data(), report.size());
        return sent >= 0 && static_cast<std::size_t>(sent) == report.size();
    }

    std::size_t readFeatureReport(std::span<uint8_t> report) override {
        const int received = hid_get_feature_report(handle_.get(), report.data(), report.size());
        return received > 0 ? std::min(static_cast<std::size_t>(received), report.size()) : 0;
    }

    // hidraw delivers the writer's reports without their report ID (the writer
    // uses report ID 0 only), so the ID byte is put back in front.
    InputRead readInputReport(std::span<uint8_t> report, std::chrono::milliseconds limit) override {
        if (report.size() < 2) {
            return {InputReadStatus::Failed, 0};
        }
        report[0] = 0;
        const int received = hid_read_timeout(handle_.get(), report.data() + 1, report.size() - 1,
                                              clampToInt(static_cast<std::size_t>(limit.count())));
        if (received < 0) {
            return {InputReadStatus::Failed, 0};
        }
        if (received == 0) {
            return {InputReadStatus::TimedOut, 0};
        }
        return {InputReadStatus::Delivered, static_cast<std::size_t>(received) + 1};
    }

private:
    DeviceHandle handle_;
    HidCapabilities caps_;
};

class UsbBackend final : public HidBackend {
public:
    UsbBackend() : initialised_(hid_init() == 0) {}
    ~UsbBackend() override {
        if (initialised_) {
            hid_exit();
        }
    }
    UsbBackend(const UsbBackend&) = delete;
    UsbBackend& operator=(const UsbBackend&) = delete;

    std::vector<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override {
        std::vector<HidInterfaceInfo> found;
        if (!initialised_) {
            return found;
        }
        const Enumeration list(hid_enumerate(vendorId, productId));
        for (const hid_device_info* info = list.get(); info != nullptr; info = info->next) {
            if (info->path != nullptr) {
                found.push_back({info->path, info->vendor_id, info->product_id});
            }
        }
        return found;
    }

    std::unique_ptr<HidDevice> open(const HidInterfaceInfo& interface) override {
        DeviceHandle handle(hid_open_path(interface.path.c_str()));
        if (!handle) {
            return nullptr;
        }
        return std::make_unique<UsbDevice>(std::move(handle), capabilitiesOfNode(interface.path));
    }

    void wait(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }

private:
    bool initialised_;
};

} // namespace

std::unique_ptr<HidBackend> makeUsbBackend() {
    return std::make_unique<UsbBackend>();
}

} // namespace zephlin
