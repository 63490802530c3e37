// The writer simulator: a writer box on the far side of the HID interface
// that meets the writer's contract in full. It enumerates with the writer's
// IDs (0x0326 in normal mode, 0x030B in boot mode), answers every command
// frame as the box does, holds a chip in its socket, keeps its firmware and
// Off-Line Mode memory, and can inject the faults of simulator_faults.h.
//
// Time is virtual: the protocol's pauses and timed-out reads advance the
// simulator's clock instead of sleeping, and the box acts on that clock (it
// re-enumerates a while after a restart, its boot loader needs time to erase).
// Only the optional per-report latency really sleeps.
#pragma once

#include "link/hid_device.h"
#include "link/simulator/box_frames.h"
#include "link/simulator/simulated_boot_loader.h"
#include "link/simulator/simulated_sub_mcu.h"
#include "link/simulator/simulator_faults.h"
#include "link/simulator/state_file_lock.h"
#include "link/simulator/writer_state.h"
#include "link/writer_link.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephlin::sim {

struct SimulatorOptions {
    std::filesystem::path stateFile; // empty: memory only
    FaultSet faults;
    std::chrono::microseconds reportLatency{0};
    std::optional<int32_t> fixedChipIndex; // a part that stays in the socket
};

// The longest delay per report a simulator accepts: a whole Check ID at this
// rate already takes seconds.
inline constexpr std::chrono::microseconds kLongestReportLatency{1'000'000};

enum class WriterMode { Normal, Boot, Restarting, Unplugged };

enum class ReportKind : uint8_t { FeatureWrite, FeatureRead, InputReport };

struct RecordedReport {
    ReportKind kind;
    uint16_t productId; // the mode the writer was in
    std::vector<uint8_t> bytes;
};

struct ReportCounts {
    uint64_t featureWrites = 0;
    uint64_t featureReads = 0;
    uint64_t inputReports = 0;
    uint64_t inputTimeouts = 0;
};

class WriterSimulator {
public:
    explicit WriterSimulator(SimulatorOptions options = {}, WriterState state = {});

    // A simulator with its state file loaded, or created when it is missing
    // (an empty file counts as missing). The simulator holds the file
    // (state_file_lock.h) for as long as it lives, after waiting for another
    // program that holds it; the host is told about the wait. nullptr with a
    // reason when an option is invalid (a report latency above one second
    // included) or the file is not a regular file or cannot be read.
    static std::unique_ptr<WriterSimulator> create(SimulatorOptions options, std::string& error);

    // ---- The USB side, used by the simulator backend -----------------------
    std::vector<HidInterfaceInfo> presentInterfaces();
    // A connection to an enumerated interface; it dies when the box
    // re-enumerates or is unplugged.
    std::optional<uint64_t> connect(const std::string& path);
    HidCapabilities capabilities() const;
    bool takeFeatureReport(uint64_t connection, std::span<const uint8_t> report);
    std::size_t giveFeatureReport(uint64_t connection, std::span<uint8_t> report);
    InputRead giveInputReport(uint64_t connection, std::span<uint8_t> report,
                              std::chrono::milliseconds limit);
    void wait(std::chrono::milliseconds duration) { clock_ += duration; }

    // ---- Inspection and control for tests and tools --------------------------
    std::chrono::microseconds now() const { return clock_; }
    WriterMode mode();
    WriterState& state() { return state_; }
    bool targetPowered() const { return powered_; }

    const FaultSet& faults() const { return options_.faults; }
    // Adds a fault as if it had been given at start.
    void injectFault(Fault fault, uint32_t argument = 0);
    void removeFault(Fault fault) { options_.faults.remove(fault); }

    const ReportCounts& counts() const { return counts_; }
    void recordReports(bool on) { recording_ = on; }
    // Called after every report the box takes or gives, before it returns.
    void observeReports(std::function<void(ReportKind)> observer) {
        observer_ = std::move(observer);
    }
    const std::vector<RecordedReport>& recordedReports() const { return recorded_; }
    void clearRecord() {
        recorded_.clear();
        counts_ = {};
    }

    // The next feature reads deliver these payloads instead of the box's data.
    void serveFeatureReply(std::vector<uint8_t> payload) { served_.push_back(std::move(payload)); }
    // Test facility for fuzzing and fault tests: the rewriter sees the payload
    // of every reply the box gives (a feature read without its report ID, a
    // status report without its report ID) just before it leaves the box, and
    // may change it, so that a test answers with bytes no box would send.
    using ReplyRewriter = std::function<void(ReportKind, std::span<uint8_t> payload)>;
    void rewriteReplies(ReplyRewriter rewriter) { rewriter_ = std::move(rewriter); }
    // Queues a raw status report on the interrupt-in pipe.
    void serveStatusReport(const StatusReport& report) { statusQueue_.push_back(report); }
    // The next status report the box answers carries this status word.
    void answerNextStatusWith(uint16_t statusWord) { nextStatusWord_ = statusWord; }

    // Off-Line Mode production by the box on its own.
    uint32_t produceOffline(uint32_t count) { return state_.offline.produce(count); }

    const std::filesystem::path& stateFile() const { return options_.stateFile; }
    // Replaces the state file with the current state; it stays as it was when
    // that fails.
    bool saveState(std::string& error) const;

private:
    // A write frame whose data block is still arriving.
    struct PendingWrite {
        ReceivedFrame frame;
        uint32_t received = 0;
        uint16_t sum = 0;
        std::vector<uint8_t> data; // kept up to the largest block the box holds
    };

    // USB side
    void settle();
    bool alive(uint64_t connection);
    bool admitReport();
    void record(ReportKind kind, std::span<const uint8_t> bytes);
    void unplug();
    void restart(WriterMode into, std::chrono::microseconds after);
    void applyStateFaults(const FaultSet& faults);

    // Normal-mode firmware (writer_commands.cpp)
    void takeCommandReport(std::span<const uint8_t> payload);
    void runCommand(const ReceivedFrame& frame, std::span<const uint8_t> payload);
    void receiveData(std::span<const uint8_t> payload);
    void completeWrite(PendingWrite write);
    uint16_t setUpTarget(std::span<const uint8_t> payload);
    uint16_t eraseWholeChip();
    bool targetOpen() const;
    void answer(uint8_t tag, uint16_t statusWord);
    void offerData(std::vector<uint8_t> bytes);
    std::vector<uint8_t> versionReply() const;
    void takeSubMcuPacket(std::span<const uint8_t> frame);
    void enterBootMode();
    void finishBootMode();

    SimulatorOptions options_;
    std::shared_ptr<StateFileLock> stateLock_; // set by create() for a state file
    WriterState state_;
    std::chrono::microseconds clock_{0};

    WriterMode mode_ = WriterMode::Normal;
    WriterMode restartInto_ = WriterMode::Normal;
    std::chrono::microseconds appearsAt_{0};
    uint64_t generation_ = 1;
    uint64_t reportsSeen_ = 0;

    bool powered_ = false;
    bool sessionLocked_ = false;
    bool unlockConnection_ = false;
    bool lockNextChip_ = false;

    std::optional<PendingWrite> pendingWrite_;
    std::vector<uint8_t> outgoing_;
    std::size_t outgoingAt_ = 0;
    std::deque<std::vector<uint8_t>> served_;
    std::deque<StatusReport> statusQueue_;
    std::optional<uint16_t> nextStatusWord_;

    SimulatedBootLoader bootLoader_;
    SimulatedSubMcu subMcu_;

    ReportCounts counts_;
    bool recording_ = false;
    std::vector<RecordedReport> recorded_;
    std::function<void(ReportKind)> observer_;
    ReplyRewriter rewriter_;
};

} // namespace zephlin::sim
