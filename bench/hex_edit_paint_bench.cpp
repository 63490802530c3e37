// One full paint of the hex editor: a 256 KiB buffer scrolled to its top,
// middle and end against a 1 KiB buffer. Painting draws the visible rows
// only, so the four figures should agree within noise.
#include "buffer/widgets/hex_edit_base.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using zephlin::CHexEditBase;

enum class Position { Top, Middle, End };

void paintOnce(benchmark::State& state, std::size_t length, Position position) {
    CHexEditBase editor;
    editor.resize(660, 400);
    editor.setShowAddress(true);
    editor.setAddressDigits(6);
    editor.setShowAscii(true);
    editor.setBytesPerRow(16, false);
    std::vector<uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    editor.setData(bytes);
    editor.show();
    QApplication::processEvents();
    const std::size_t byte = position == Position::Top      ? 0
                             : position == Position::Middle ? length / 2
                                                            : length - 1;
    editor.makeVisible(byte, byte, false);
    editor.setSelection(byte, byte + 40 < length ? byte + 40 : length - 1);
    QApplication::processEvents();
    while (state.KeepRunning()) {
        editor.redrawNow();
    }
    state.counters["first_row"] = editor.verticalPosition();
}

constexpr std::size_t kSmall = 1024;
constexpr std::size_t kLarge = 256 * 1024;

BENCHMARK_CAPTURE(paintOnce, small_1KiB, kSmall, Position::Top)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnce, large_256KiB_top, kLarge, Position::Top)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnce, large_256KiB_middle, kLarge, Position::Middle)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnce, large_256KiB_end, kLarge, Position::End)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Painting needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
