// A 256 KiB project through the three project exports: SaveKDX (which writes
// beside the target, flushes and renames), then the two loading calls a
// program makes, LoadKDXFooter and LoadKDXBuffer.
#include "../bench_parts.h"
#include "Zephlin_DLL.h"
#include "support/checksum16.h"

#include <benchmark/benchmark.h>

#include <cwchar>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace zephlin {
namespace {

constexpr uint32_t kImageBytes = 256 * 1024;

// A project file in the temporary folder, saved through a save "dialog" that
// always picks it.
class ProjectFixture {
public:
    ProjectFixture()
        : path_(std::filesystem::temp_directory_path() /
                ("zephlin-bench-" + std::to_string(::getpid()) + ".kdx")),
          widePath_(path_.wstring()) {
        for (std::size_t i = 0; i < image_.size(); ++i) {
            image_[i] = static_cast<uint8_t>(i * 13 + 1);
        }
        const ZephlinHostServices services{
            .structSize = sizeof(ZephlinHostServices),
            .userData = this,
            .askYesNo = nullptr,
            .showMessage = nullptr,
            .chooseSaveFile = [](void* self, const ZephlinSaveFileRequest*, wchar_t* path,
                                 size_t capacity) -> int32_t {
                const std::wstring& chosen = static_cast<ProjectFixture*>(self)->widePath_;
                if (chosen.size() >= capacity) {
                    return 0;
                }
                std::wcscpy(path, chosen.c_str());
                return 1;
            },
        };
        ZephlinSetHostServices(&services);
    }
    ~ProjectFixture() {
        ZephlinSetHostServices(nullptr);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ProjectFixture(const ProjectFixture&) = delete;
    ProjectFixture& operator=(const ProjectFixture&) = delete;

    // A record as Save KDX fills it from the buffers.
    std::unique_ptr<ZephlinContext> savingRecord() {
        auto context = std::make_unique<ZephlinContext>();
        context->chipIndex = bench::partWithMainArea(kImageBytes);
        context->result = &result_;
        context->codeImage = image_.data();
        context->codeSize = kImageBytes;
        context->codeChecksum = checksum16(image_);
        std::wcscpy(context->codeFileName, L"firmware.hex");
        return context;
    }
    // A record that names the saved file, as Load File fills it.
    std::unique_ptr<ZephlinContext> loadingRecord() {
        auto context = std::make_unique<ZephlinContext>();
        context->result = &result_;
        std::wcscpy(context->projectFile, widePath_.c_str());
        return context;
    }

private:
    std::filesystem::path path_;
    std::wstring widePath_;
    std::vector<uint8_t> image_ = std::vector<uint8_t>(kImageBytes);
    uint16_t result_ = 0;
};

void SaveKDX256KiB(benchmark::State& state) {
    ProjectFixture project;
    while (state.KeepRunning()) {
        if (SaveKDX(project.savingRecord().get()) != ZEPHLIN_RESULT_PASS) {
            state.SkipWithError("SaveKDX failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kImageBytes);
}
BENCHMARK(SaveKDX256KiB)->Unit(benchmark::kMillisecond);

void LoadKDXFooterAndBuffer256KiB(benchmark::State& state) {
    ProjectFixture project;
    if (SaveKDX(project.savingRecord().get()) != ZEPHLIN_RESULT_PASS) {
        state.SkipWithError("SaveKDX failed");
        return;
    }
    std::vector<uint8_t> code;
    while (state.KeepRunning()) {
        const auto context = project.loadingRecord();
        if (LoadKDXFooter(context.get()) != ZEPHLIN_RESULT_PASS) {
            state.SkipWithError("LoadKDXFooter failed");
            break;
        }
        code.resize(context->codeSize);
        context->codeImage = code.data();
        if (LoadKDXBuffer(context.get()) != ZEPHLIN_RESULT_PASS) {
            state.SkipWithError("LoadKDXBuffer failed");
            break;
        }
        benchmark::DoNotOptimize(code.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kImageBytes);
}
BENCHMARK(LoadKDXFooterAndBuffer256KiB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zephlin
