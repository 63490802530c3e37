// The grammar of the log: every command reports as a numbered header, an
// outcome and a time trailer, "000 - Program =>Pass   [1.234"]" with CR LF.
// The main window's log panel and the command-line tool write the same lines.
#pragma once

#include "common/text_pair.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zephlin {

// "%03d - %s =>": the sequence number, at least three digits.
std::wstring numberedHeader(uint32_t sequenceNumber, std::wstring_view operationName);
// "       %s =>": an entry inside the Auto sequence (seven spaces).
std::wstring stepHeader(std::wstring_view operationName);
// Three spaces, "[", the seconds with three decimals, the seconds mark '"',
// "]" and CR LF.
std::wstring timeTrailer(uint32_t elapsedMilliseconds);
// "%03d - %s ======>Start\r\n" with "Auto" / "自动".
std::wstring autoStartLine(uint32_t sequenceNumber, Language language);
// "         %s ======>End\r\n" (nine spaces) with "Auto" / "自动".
std::wstring autoEndLine(Language language);
// "   %s 0x%04X\r\n" with "Chip Checksum : " / "芯片检验和 : ".
std::wstring checksumLine(uint16_t checksum, Language language);

// Milliseconds between two readings of a 32-bit millisecond tick counter,
// right across a wrap of the counter.
inline uint32_t elapsedTicks(uint32_t startTick, uint32_t endTick) {
    return endTick - startTick;
}

// Where log text goes: the window's log panel, or standard output.
class LogSink {
public:
    virtual ~LogSink() = default;
    // Appends the text at the end of the log and shows the end.
    virtual void append(std::wstring_view text) = 0;
    // Empties the log.
    virtual void clear() = 0;
};

// The log with its sequence number: numbered entries count from 000 since the
// start or the last Clear; step entries and Auto end lines do not count.
class OperationLog {
public:
    explicit OperationLog(LogSink& sink) : sink_(sink) {}

    void append(std::wstring_view text) { sink_.append(text); }
    // Clear: the log becomes empty and the next entry is numbered 000.
    void clear();

    void writeNumberedHeader(std::wstring_view operationName);
    void writeStepHeader(std::wstring_view operationName);
    // "Pass" / "成功" for 101, else the message of the result code.
    void writeOutcome(uint16_t resultCode, Language language);
    void writeTimeTrailer(uint32_t elapsedMilliseconds);
    void writeAutoStart(Language language);
    void writeAutoEnd(Language language);

    uint32_t sequenceNumber() const { return sequenceNumber_; }

private:
    LogSink& sink_;
    uint32_t sequenceNumber_ = 0;
};

} // namespace zephlin
