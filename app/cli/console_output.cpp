#include "console_output.h"

#include "zephlin_utf8.h"

#include <chrono>
#include <thread>

#include <unistd.h>

namespace zephlin::cli {

ConsoleLog::~ConsoleLog() {
    if (!pending_.empty()) {
        std::fputs(pending_.c_str(), out_);
        std::fputc('\n', out_);
        std::fflush(out_);
    }
}

void ConsoleLog::append(std::wstring_view text) {
    pending_ += utf8::fromWide(text);
    const std::size_t lineEnd = pending_.rfind('\n');
    if (lineEnd == std::string::npos) {
        return;
    }
    std::fwrite(pending_.data(), 1, lineEnd + 1, out_);
    std::fflush(out_);
    pending_.erase(0, lineEnd + 1);
}

ConsoleHost::ConsoleHost(const ConsoleLog& log, Language language)
    : log_(log), language_(language), terminal_(isatty(STDERR_FILENO) == 1) {}

void ConsoleHost::setProgressVisible(bool visible) {
    if (!visible && drawn_) {
        std::fputs("\r\x1b[2K", stderr);
        std::fflush(stderr);
        drawn_ = false;
    }
}

void ConsoleHost::setProgress(int percent) {
    if (!terminal_) {
        return;
    }
    constexpr int kWidth = 40;
    const int done = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(done), '#') +
                            std::string(static_cast<std::size_t>(kWidth - done), ' ');
    std::fprintf(stderr, "\r%s [%s] %3d%%", log_.pendingLine().c_str(), bar.c_str(), percent);
    std::fflush(stderr);
    drawn_ = true;
}

void SleepingWait::waitBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace zephlin::cli
