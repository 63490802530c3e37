#include "cli/console_output.h"

#include "support/utf8.h"

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
    // The log's entries end in CR LF, as in the window's log panel; a console
    // line ends in LF alone.
    std::string lines = pending_.substr(0, lineEnd + 1);
    pending_.erase(0, lineEnd + 1);
    for (std::size_t cr = lines.find("\r\n"); cr != std::string::npos;
         cr = lines.find("\r\n", cr)) {
        lines.erase(cr, 1);
    }
    std::fputs(lines.c_str(), out_);
    std::fflush(out_);
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
