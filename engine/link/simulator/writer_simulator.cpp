#include "link/simulator/writer_simulator.h"

#include "link/host_services.h"
#include "link/simulator/simulator_state_file.h"
#include "support/utf8.h"

#include <algorithm>
#include <thread>

namespace zephlin::sim {
namespace {

constexpr std::size_t kCommandReportSize = kCommandPiece + 1;
constexpr std::size_t kBootReportSize = kBootPiece + 1;
constexpr std::size_t kFeatureReadSize = kReadPiece + 1;
constexpr std::size_t kInputReportSize = kStatusReportSize + 1;
// With the short-feature-read fault a feature read delivers half a report.
constexpr std::size_t kShortFeatureRead = kReadPiece / 2 + 1;
// A box buffers a few status reports on its interrupt-in pipe, no more.
constexpr std::size_t kStatusQueueDepth = 16;

const std::string kBusyInterfacePath = "sim:busy";
const std::string kWriterPathPrefix = "sim:writer/";

} // namespace

WriterSimulator::WriterSimulator(SimulatorOptions options, WriterState state)
    : options_(std::move(options)), state_(std::move(state)) {
    applyStateFaults(options_.faults);
}

std::unique_ptr<WriterSimulator> WriterSimulator::create(SimulatorOptions options,
                                                         std::string& error) {
    if (options.fixedChipIndex && findChip(*options.fixedChipIndex) == nullptr) {
        error = "no part with chip index " + std::to_string(*options.fixedChipIndex);
        return nullptr;
    }
    if (options.reportLatency > kLongestReportLatency) {
        error = "a report latency above one second (1000000 us) is refused";
        return nullptr;
    }
    if (options.stateFile.empty()) {
        return std::make_unique<WriterSimulator>(std::move(options));
    }
    const auto announceWait = [path = options.stateFile.string()] {
        host::showMessage(L"The simulator state file " + utf8::toWide(path) +
                              L" is in use by another program; waiting until it is free.",
                          host::MessageKind::Plain);
    };
    std::shared_ptr<StateFileLock> lock =
        StateFileLock::acquire(options.stateFile, error, announceWait);
    if (!lock) {
        return nullptr;
    }
    const std::optional<std::vector<uint8_t>> bytes = lock->read(kLargestStateFile, error);
    if (!bytes) {
        return nullptr;
    }
    // An empty file is one just created for this simulator: a fresh writer.
    WriterState state;
    if (bytes->empty()) {
        if (!lock->replace(serialiseState(state), error)) {
            return nullptr;
        }
    } else {
        std::string reason;
        std::optional<WriterState> loaded = parseStateFile(*bytes, reason);
        if (!loaded) {
            error = options.stateFile.string() + ": " + reason;
            return nullptr;
        }
        state = std::move(*loaded);
    }
    auto simulator = std::make_unique<WriterSimulator>(std::move(options), std::move(state));
    simulator->stateLock_ = std::move(lock);
    return simulator;
}

void WriterSimulator::applyStateFaults(const FaultSet& faults) {
    if (faults.has(Fault::FirmwareMismatch)) {
        state_.firmware.version -= 1;
    }
    if (faults.has(Fault::CoreMismatch)) {
        const WriterFirmware& other = *writerFirmwareForCore(state_.firmware.coreCode == 1 ? 3 : 1);
        state_.firmware = {other.version, other.coreCode};
    }
    if (faults.has(Fault::SubMcuMismatch)) {
        state_.subMcuVersion = 0x0103;
    }
    if (faults.has(Fault::Locked)) {
        lockNextChip_ = !state_.chip.has_value();
        if (state_.chip) {
            state_.chip->protectedByFault = true;
        }
    }
}

void WriterSimulator::injectFault(Fault fault, uint32_t argument) {
    FaultSet added;
    added.add(fault, argument);
    applyStateFaults(added);
    options_.faults.add(fault, argument);
}

bool WriterSimulator::saveState(std::string& error) const {
    if (options_.stateFile.empty()) {
        error = "the simulated writer has no state file";
        return false;
    }
    if (stateLock_) {
        return stateLock_->replace(serialiseState(state_), error);
    }
    return writeStateFile(options_.stateFile, state_, error);
}

WriterMode WriterSimulator::mode() {
    settle();
    return mode_;
}

void WriterSimulator::settle() {
    if (mode_ == WriterMode::Restarting && clock_ >= appearsAt_) {
        mode_ = restartInto_;
        ++generation_;
    }
}

void WriterSimulator::restart(WriterMode into, std::chrono::microseconds after) {
    mode_ = WriterMode::Restarting;
    restartInto_ = into;
    appearsAt_ = clock_ + after;
    ++generation_;
    powered_ = false;
    sessionLocked_ = false;
    pendingWrite_.reset();
    outgoing_.clear();
    statusQueue_.clear();
}

void WriterSimulator::unplug() {
    restart(WriterMode::Unplugged, {});
    mode_ = WriterMode::Unplugged;
}

std::vector<HidInterfaceInfo> WriterSimulator::presentInterfaces() {
    settle();
    if (options_.faults.has(Fault::NoWriter) ||
        (mode_ != WriterMode::Normal && mode_ != WriterMode::Boot)) {
        return {};
    }
    const uint16_t productId = mode_ == WriterMode::Boot ? kBootLoaderProductId : kWriterProductId;
    std::vector<HidInterfaceInfo> interfaces;
    if (options_.faults.has(Fault::UnopenableInterface)) {
        interfaces.push_back({kBusyInterfacePath, kWriterVendorId, productId});
    }
    interfaces.push_back(
        {kWriterPathPrefix + std::to_string(generation_), kWriterVendorId, productId});
    return interfaces;
}

std::optional<uint64_t> WriterSimulator::connect(const std::string& path) {
    if (path != kWriterPathPrefix + std::to_string(generation_) || !alive(generation_)) {
        return std::nullopt;
    }
    statusQueue_.clear(); // every open of the device starts with an empty input queue
    return generation_;
}

HidCapabilities WriterSimulator::capabilities() const {
    return {kInputReportSize, 0, kFeatureReadSize};
}

bool WriterSimulator::alive(uint64_t connection) {
    settle();
    return connection == generation_ && !options_.faults.has(Fault::NoWriter) &&
           (mode_ == WriterMode::Normal || mode_ == WriterMode::Boot);
}

bool WriterSimulator::admitReport() {
    if (options_.faults.has(Fault::UnplugAfter) &&
        reportsSeen_ >= options_.faults.argument(Fault::UnplugAfter)) {
        unplug();
        return false;
    }
    ++reportsSeen_;
    clock_ += options_.reportLatency;
    if (options_.reportLatency.count() > 0) {
        std::this_thread::sleep_for(options_.reportLatency);
    }
    return true;
}

void WriterSimulator::record(ReportKind kind, std::span<const uint8_t> bytes) {
    if (recording_) {
        const uint16_t productId =
            mode_ == WriterMode::Boot ? kBootLoaderProductId : kWriterProductId;
        recorded_.push_back({kind, productId, {bytes.begin(), bytes.end()}});
    }
    if (observer_) {
        observer_(kind);
    }
}

bool WriterSimulator::takeFeatureReport(uint64_t connection, std::span<const uint8_t> report) {
    if (!alive(connection) || !admitReport()) {
        return false;
    }
    ++counts_.featureWrites;
    record(ReportKind::FeatureWrite, report);
    if (mode_ == WriterMode::Boot) {
        if (report.size() != kBootReportSize ||
            !bootLoader_.takePacket(report.subspan(1), clock_)) {
            return false;
        }
        if (bootLoader_.finished()) {
            finishBootMode();
        }
        return true;
    }
    if (report.size() != kCommandReportSize) {
        return false;
    }
    takeCommandReport(report.subspan(1));
    return true;
}

std::size_t WriterSimulator::giveFeatureReport(uint64_t connection, std::span<uint8_t> report) {
    if (report.size() != kFeatureReadSize || !alive(connection) || !admitReport()) {
        return 0;
    }
    ++counts_.featureReads;
    std::fill(report.begin(), report.end(), 0);
    const auto payload = report.subspan(1);
    if (!served_.empty()) {
        const std::vector<uint8_t>& reply = served_.front();
        std::copy_n(reply.begin(), std::min(reply.size(), payload.size()), payload.begin());
        served_.pop_front();
    } else if (mode_ == WriterMode::Boot) {
        const std::vector<uint8_t>& reply = bootLoader_.reply();
        std::copy(reply.begin(), reply.end(), payload.begin());
    } else if (outgoingAt_ < outgoing_.size()) {
        const std::size_t n = std::min(payload.size(), outgoing_.size() - outgoingAt_);
        std::copy_n(outgoing_.begin() + static_cast<std::ptrdiff_t>(outgoingAt_), n,
                    payload.begin());
        outgoingAt_ += n;
    }
    if (rewriter_) {
        rewriter_(ReportKind::FeatureRead, payload);
    }
    record(ReportKind::FeatureRead, report);
    return options_.faults.has(Fault::ShortFeatureRead) ? kShortFeatureRead : report.size();
}

InputRead WriterSimulator::giveInputReport(uint64_t connection, std::span<uint8_t> report,
                                           std::chrono::milliseconds limit) {
    if (!alive(connection) || options_.faults.has(Fault::StatusReadError)) {
        return {InputReadStatus::Failed, 0};
    }
    if (statusQueue_.empty()) {
        clock_ += limit; // nothing will come: the read times out at once
        ++counts_.inputTimeouts;
        return {InputReadStatus::TimedOut, 0};
    }
    if (!admitReport()) {
        return {InputReadStatus::Failed, 0};
    }
    ++counts_.inputReports;
    std::fill(report.begin(), report.end(), 0);
    const std::size_t length = std::min(report.size(), kInputReportSize);
    if (length > 1) {
        std::copy_n(statusQueue_.front().begin(), length - 1, report.begin() + 1);
    }
    statusQueue_.pop_front();
    if (rewriter_ && length > 1) {
        rewriter_(ReportKind::InputReport, report.subspan(1, length - 1));
    }
    record(ReportKind::InputReport, report.first(length));
    if (options_.faults.has(Fault::LateStatus)) {
        clock_ += limit;
        return {InputReadStatus::DeliveredLate, length};
    }
    return {InputReadStatus::Delivered, length};
}

void WriterSimulator::answer(uint8_t tag, uint16_t statusWord) {
    if (nextStatusWord_) {
        statusWord = *nextStatusWord_;
        nextStatusWord_.reset();
    }
    if (options_.faults.has(Fault::DropStatus)) {
        return;
    }
    StatusReport report{};
    report[0] = options_.faults.has(Fault::WrongTag) ? static_cast<uint8_t>(~tag) : tag;
    report[2] = static_cast<uint8_t>(statusWord);
    report[3] = static_cast<uint8_t>(statusWord >> 8);
    if (statusQueue_.size() == kStatusQueueDepth) {
        statusQueue_.pop_front();
    }
    statusQueue_.push_back(report);
}

} // namespace zephlin::sim
