// Program and Verify of 128 KiB through the exports, against the writer
// simulator with no report delay: the host CPU time of the library (the
// simulator's own work included, so an upper bound), and the reports each
// export uses next to the fewest the protocol allows. Against a real writer
// every report costs about a millisecond of USB time; the host's part should
// be small beside that.
#include "../bench_parts.h"
#include "Zephlin_DLL.h"
#include "link/simulator/writer_simulator.h"
#include "link/writer_connection.h"
#include "support/checksum16.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace zephlin {
namespace {

constexpr uint32_t kImageBytes = 128 * 1024;

// The session around every device export: the version query frame, its reply,
// the target setup frame and its status, the end-of-target frame and its
// status.
constexpr uint64_t kSessionFrames = 3;
constexpr uint64_t kSessionReads = 1;
constexpr uint64_t kSessionStatus = 2;

// The protocol's minimum for the transfers themselves: a write is one frame,
// 1024 pieces of 128 bytes and one status report; a read-back is one frame and
// 128 pieces of 1024 bytes.
constexpr uint64_t kProgramFrames = 1 + kImageBytes / 128;
constexpr uint64_t kProgramStatus = 1;
constexpr uint64_t kVerifyFrames = 1;
constexpr uint64_t kVerifyReads = kImageBytes / 1024;

struct Fixture {
    std::vector<uint8_t> image = std::vector<uint8_t>(kImageBytes);
    uint16_t result = 0;
    std::unique_ptr<ZephlinContext> context = std::make_unique<ZephlinContext>();

    Fixture() {
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<uint8_t>(i * 31 + 7);
        }
        context->chipIndex = bench::partWithMainArea(kImageBytes);
        context->result = &result;
        context->codeImage = image.data();
        context->codeSize = kImageBytes;
        context->codeChecksum = checksum16(image);
    }
};

void reportCounts(benchmark::State& state, const sim::ReportCounts& counts, uint64_t frames,
                  uint64_t reads, uint64_t status) {
    const auto perCall = [&](uint64_t value) {
        return benchmark::Counter(static_cast<double>(value), benchmark::Counter::kAvgIterations);
    };
    state.counters["feature_writes"] = perCall(counts.featureWrites);
    state.counters["feature_reads"] = perCall(counts.featureReads);
    state.counters["status_reads"] = perCall(counts.inputReports + counts.inputTimeouts);
    const auto iterations = static_cast<uint64_t>(state.iterations());
    state.counters["min_feature_writes"] = perCall((kSessionFrames + frames) * iterations);
    state.counters["min_feature_reads"] = perCall((kSessionReads + reads) * iterations);
    state.counters["min_status_reads"] = perCall((kSessionStatus + status) * iterations);
}

void Program128KiB(benchmark::State& state) {
    Fixture fixture;
    sim::WriterSimulator& writer = useSimulatedWriter(std::make_unique<sim::WriterSimulator>());
    while (state.KeepRunning()) {
        if (Program(fixture.context.get()) != ZEPHLIN_RESULT_PASS) {
            state.SkipWithError("Program failed");
            break;
        }
        state.PauseTiming();
        writer.state().chip.reset(); // a blank chip for the next round
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kImageBytes);
    reportCounts(state, writer.counts(), kProgramFrames, 0, kProgramStatus);
}
BENCHMARK(Program128KiB)->Unit(benchmark::kMillisecond);

void Verify128KiB(benchmark::State& state) {
    Fixture fixture;
    sim::WriterSimulator& writer = useSimulatedWriter(std::make_unique<sim::WriterSimulator>());
    if (Program(fixture.context.get()) != ZEPHLIN_RESULT_PASS) {
        state.SkipWithError("Program failed");
        return;
    }
    writer.clearRecord();
    while (state.KeepRunning()) {
        if (Verify(fixture.context.get()) != ZEPHLIN_RESULT_PASS) {
            state.SkipWithError("Verify failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kImageBytes);
    reportCounts(state, writer.counts(), kVerifyFrames, kVerifyReads, 0);
}
BENCHMARK(Verify128KiB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zephlin
