// Load File's Intel HEX converter on an 11.8 MB file of a 4 MiB image: the
// conversion alone, and reading the file from disk and converting it, which
// bench/run sets beside objcopy -I ihex -O binary on the same file.
#include "buffer/core/code_file_io.h"
#include "buffer/core/intel_hex_converter.h"
#include "hex_image_text.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include <unistd.h>

namespace {

using namespace zephlin;

constexpr uint64_t kCapacity = bench::kHexImageBytes;

const std::string& hexText() {
    static const std::string text = bench::intelHexText();
    return text;
}

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

void ConvertHexText(benchmark::State& state) {
    const auto text = bytesOf(hexText());
    while (state.KeepRunning()) {
        const HexConversion conversion = convertIntelHex(text, kCapacity);
        if (conversion.image.size() != bench::kHexImageBytes) {
            state.SkipWithError("the image is not 4 MiB");
            break;
        }
        benchmark::DoNotOptimize(conversion.image.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ConvertHexText)->Unit(benchmark::kMillisecond);

// The file bench/run hands over (ZEPHLIN_HEX_FILE), else one written here.
void ReadAndConvertHexFile(benchmark::State& state) {
    std::filesystem::path path;
    bool ownFile = false;
    if (const char* given = std::getenv("ZEPHLIN_HEX_FILE")) {
        path = given;
    } else {
        path = std::filesystem::temp_directory_path() /
               ("zephlin-bench-" + std::to_string(::getpid()) + ".hex");
        std::ofstream(path, std::ios::binary) << hexText();
        ownFile = true;
    }
    uint64_t fileBytes = 0;
    while (state.KeepRunning()) {
        const FileBytes file = readWholeFile(path, 64u << 20);
        const HexConversion conversion = convertIntelHex(file.bytes, kCapacity);
        if (conversion.image.size() != bench::kHexImageBytes) {
            state.SkipWithError("the file does not hold a 4 MiB image");
            break;
        }
        fileBytes = file.bytes.size();
        benchmark::DoNotOptimize(conversion.image.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes));
    if (ownFile) {
        std::filesystem::remove(path);
    }
}
BENCHMARK(ReadAndConvertHexFile)->Unit(benchmark::kMillisecond);

} // namespace
