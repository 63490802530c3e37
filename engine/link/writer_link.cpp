#include "link/writer_link.h"

#include "link/host_services.h"

#include <algorithm>
#include <vector>

namespace zephlin {
namespace {

// done * 100 / total, in 64 bits so that large blocks cannot overflow.
uint16_t percent(std::size_t done, std::size_t total) {
    return static_cast<uint16_t>((uint64_t{done} * 100 / total) & 0xFF);
}

} // namespace

bool WriterLink::open(uint16_t productId) {
    vendorId_ = kWriterVendorId;
    productId_ = productId;
    close();
    capabilities_ = {};
    device_ = openFirstMatching(*backend_, vendorId_, productId_);
    if (!device_) {
        return false;
    }
    const HidCapabilities caps = device_->capabilities();
    capabilities_ = {caps.inputReportLength & 0xFF, caps.outputReportLength & 0xFF,
                     caps.featureReportLength & 0xFF};
    return true;
}

std::size_t WriterLink::blockSend(std::span<const uint8_t> bytes, ResultWord progress,
                                  std::size_t piece) {
    progress.store(0);
    if (!device_ || piece == 0) {
        return 0;
    }
    std::vector<uint8_t> report(piece + 1);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const std::size_t n = std::min(bytes.size() - sent, piece);
        std::fill(report.begin(), report.end(), 0);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(sent), n, report.begin() + 1);
        if (!device_->writeFeatureReport(report)) {
            break;
        }
        sent += n;
        progress.store(percent(sent, bytes.size()));
    }
    return sent;
}

std::size_t WriterLink::blockRead(std::span<uint8_t> buffer, ResultWord progress) {
    progress.store(0);
    if (!device_) {
        return 0;
    }
    std::vector<uint8_t> report(kReadPiece + 1);
    std::size_t received = 0;
    while (received < buffer.size()) {
        std::fill(report.begin(), report.end(), 0);
        // Only a complete report is used: a short one would leave stale or
        // zero bytes standing in for the writer's data.
        if (device_->readFeatureReport(report) != report.size()) {
            break;
        }
        const std::size_t n = std::min(buffer.size() - received, kReadPiece);
        std::copy_n(report.begin() + 1, n, buffer.begin() + static_cast<std::ptrdiff_t>(received));
        received += n;
        progress.store(percent(received, buffer.size()));
    }
    return received;
}

std::size_t WriterLink::statusRead(StatusReport& buffer) {
    if (!device_ || capabilities_.inputReportLength < 2) {
        return 0;
    }
    std::vector<uint8_t> report(capabilities_.inputReportLength);
    std::size_t collected = 0;
    while (collected < buffer.size()) {
        std::fill(report.begin(), report.end(), 0);
        const InputRead read = device_->readInputReport(report, kStatusTimeLimit);
        switch (read.status) {
        case InputReadStatus::Delivered:
            break;
        case InputReadStatus::DeliveredLate:
            host::showMessage(L"Cancel IO fail !", host::MessageKind::Plain);
            break;
        case InputReadStatus::TimedOut:
            return collected;
        case InputReadStatus::Failed:
            host::showMessage(L"GetOverlappedResult fail !", host::MessageKind::Plain);
            return collected;
        }
        const std::size_t length = std::min(read.length, report.size());
        if (length < 2) {
            return collected; // a report without payload would never fill the buffer
        }
        const std::size_t n = std::min(length - 1, buffer.size() - collected);
        std::copy_n(report.begin() + 1, n, buffer.begin() + static_cast<std::ptrdiff_t>(collected));
        collected += n;
    }
    return collected;
}

void WriterLink::close() {
    device_.reset();
}

} // namespace zephlin
