// Test support for the device exports: a fresh simulated writer for each
// test, a record for a part with its result word, and ways to act on the
// writer in the middle of an export.
#pragma once

#include "../link/simulated_writer.h"
#include "../pattern_image.h"
#include "Zephlin_DLL.h"
#include "link/command_frame.h"
#include "link/writer_connection.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zephlin::testing {

// Reports of a session start without updates: the version query frame and
// its reply, the target setup frame and its status report.
inline constexpr uint32_t kSessionStartReports = 4;

using DeviceExport = uint16_t (*)(ZephlinContext*);

inline uint16_t loadResultWord(const uint16_t& word) {
    return std::atomic_ref<const uint16_t>(word).load(std::memory_order_acquire);
}

// Runs action once, after the writer has taken or given the n-th report of
// this kind (counted from 1) and before it acts on it.
inline void atReport(sim::WriterSimulator& writer, sim::ReportKind kind, uint32_t n,
                     std::function<void()> action) {
    auto seen = std::make_shared<uint32_t>(0);
    writer.observeReports([kind, n, seen, action = std::move(action)](sim::ReportKind report) {
        if (report == kind && ++*seen == n) {
            action();
        }
    });
}

// The frames of the writer's own product ID that the writer took, as sent
// (report ID dropped), with this command code or, without one, all of them
// (data pieces and boot-mode packets left out).
inline std::vector<std::vector<uint8_t>> framesWith(const sim::WriterSimulator& writer,
                                                    std::optional<uint16_t> code = std::nullopt) {
    std::vector<std::vector<uint8_t>> frames;
    for (const sim::RecordedReport& report : writer.recordedReports()) {
        if (report.kind != sim::ReportKind::FeatureWrite || report.productId != kWriterProductId ||
            report.bytes.size() <= 4 || report.bytes[1] != kFrameSync) {
            continue;
        }
        const auto reportCode = static_cast<uint16_t>(report.bytes[3] | (report.bytes[4] << 8));
        if (!code || reportCode == *code) {
            frames.emplace_back(report.bytes.begin() + 1, report.bytes.end());
        }
    }
    return frames;
}

// The command codes of the frames the writer took, in order.
inline std::vector<uint16_t> framesSent(const sim::WriterSimulator& writer) {
    std::vector<uint16_t> codes;
    for (const std::vector<uint8_t>& frame : framesWith(writer)) {
        codes.push_back(static_cast<uint16_t>(frame[2] | (frame[3] << 8)));
    }
    return codes;
}

// A writer simulator, host services that answer questions with No unless a
// test installs others, and a record for one part. Every test ends with the
// writer link closed: nothing of a session outlives an export.
class DeviceTest : public ::testing::Test {
protected:
    DeviceTest() { start(); }

    void TearDown() override {
        EXPECT_FALSE(writerLink().isOpen()) << "an export left the writer link open";
    }

    sim::WriterSimulator& start(sim::SimulatorOptions options = {}) {
        writer_ = &selectSimulator(std::move(options));
        writer_->recordReports(true);
        return *writer_;
    }
    sim::WriterSimulator& writer() { return *writer_; }

    // A zeroed record for the part, its result word set to 0.
    ZephlinContext& record(const wchar_t* partName) {
        context_ = std::make_unique<ZephlinContext>();
        context_->chipIndex = chipIndexOf(partName);
        context_->result = &result_;
        result_ = 0;
        return *context_;
    }
    ZephlinContext& record() { return *context_; }

    // Calls an export as a program does and checks that the result word holds
    // the code it returned.
    uint16_t call(DeviceExport exported) {
        const uint16_t code = exported(context_.get());
        EXPECT_EQ(result_, code) << "the result word must hold the returned code";
        return code;
    }

    void setCode(std::vector<uint8_t>& image) {
        context_->codeImage = image.data();
        context_->codeSize = static_cast<uint32_t>(image.size());
        context_->codeChecksum = checksum16(image);
    }
    void setData(std::vector<uint8_t>& image) {
        context_->dataImage = image.data();
        context_->dataSize = static_cast<uint32_t>(image.size());
        context_->dataChecksum = checksum16(image);
    }

    // The chip in the writer's socket (a test that uses it has run a setup).
    sim::SimulatedChip& socket() { return writer_->state().chip.value(); }

    uint16_t result_ = 0;

private:
    sim::WriterSimulator* writer_ = nullptr;
    std::unique_ptr<ZephlinContext> context_;
};

} // namespace zephlin::testing
