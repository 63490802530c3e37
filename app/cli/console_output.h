// The runner's window on a console: log text on standard output in UTF-8, a
// progress bar on standard error when that is a terminal.
#pragma once

#include "shell/core/log_grammar.h"
#include "shell/core/operation_runner.h"

#include <cstdio>
#include <string>

namespace zephlin::cli {

// Writes the log to a stream one complete line at a time (LF line ends), so that a progress
// bar on the same terminal never splits an entry; the entry's header waits
// until its outcome and time trailer complete the line.
class ConsoleLog : public LogSink {
public:
    explicit ConsoleLog(std::FILE* out) : out_(out) {}
    ~ConsoleLog() override;
    ConsoleLog(const ConsoleLog&) = delete;
    ConsoleLog& operator=(const ConsoleLog&) = delete;

    void append(std::wstring_view text) override;
    void clear() override {}
    // The text of the line that has not ended yet.
    const std::string& pendingLine() const { return pending_; }

private:
    std::FILE* out_;
    std::string pending_;
};

// Progress bar 1219 as a line on standard error: the pending log header, a
// bar and the percentage, redrawn in place and erased when hidden. Nothing is
// drawn when standard error is not a terminal.
class ConsoleHost : public RunnerHost {
public:
    ConsoleHost(const ConsoleLog& log, Language language);

    Language language() const override { return language_; }
    void setWaitCursor(bool) override {}
    void setProgressVisible(bool visible) override;
    void setProgress(int percent) override;

private:
    const ConsoleLog& log_;
    Language language_;
    bool terminal_;
    bool drawn_ = false;
};

// The console has nothing to repaint: the waiting thread sleeps briefly.
class SleepingWait : public WaitStrategy {
public:
    void waitBriefly() override;
};

} // namespace zephlin::cli
