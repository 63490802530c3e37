// What a device path costs against the writer simulator: a whole main area
// written and read back through the exchanges, and a writer firmware update.
// The figures bound the run time of the device-path tests and show the
// library's own overhead per report.
#include "catalogue/chip_catalogue.h"
#include "link/exchanges.h"
#include "link/firmware_installers.h"
#include "link/simulator/writer_simulator.h"
#include "link/target_session.h"
#include "link/writer_connection.h"
#include "operations/target_setup_frame.h"
#include "support/checksum16.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace zephlin {
namespace {

const ChipRecord& largestPart() {
    const ChipRecord* largest = &chipCatalogue().front();
    for (const ChipRecord& chip : chipCatalogue()) {
        if (chip.mainAreaSize > largest->mainAreaSize) {
            largest = &chip;
        }
    }
    return *largest;
}

void ProgramAndVerifyTheLargestPart(benchmark::State& state) {
    const ChipRecord& chip = largestPart();
    std::vector<uint8_t> image(chip.mainAreaSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 31 + 7);
    }
    const uint16_t sum = checksum16(image);
    std::vector<uint8_t> back(image.size());
    uint16_t progress = 0;
    uint64_t reports = 0;
    for (auto _ : state) {
        sim::WriterSimulator& writer = useSimulatedWriter(std::make_unique<sim::WriterSimulator>());
        writerLink().open(kWriterProductId);
        commandExchange(targetSetupFrame(chip, false, FrameTag::fresh()));
        const auto size = static_cast<uint32_t>(image.size());
        writeExchange(commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0, size, sum), image,
                      ResultWord(&progress));
        readExchange(commandFrame(command::kReadMainArea, FrameTag::fresh(), 0, size), back,
                     ResultWord(&progress));
        endSession(true);
        reports += writer.counts().featureWrites + writer.counts().featureReads +
                   writer.counts().inputReports;
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size() * 2));
    state.counters["reports"] =
        benchmark::Counter(static_cast<double>(reports), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ProgramAndVerifyTheLargestPart)->Unit(benchmark::kMillisecond);

void UpdateTheCortexM0Firmware(benchmark::State& state) {
    for (auto _ : state) {
        useSimulatedWriter(std::make_unique<sim::WriterSimulator>());
        writerLink().open(kWriterProductId);
        benchmark::DoNotOptimize(updateWriterFirmware(1));
    }
}
BENCHMARK(UpdateTheCortexM0Firmware)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zephlin
