// The exchanges built on the writer link: a command frame followed by a status
// report, by a data block and a status report, by a data block from the
// writer, or by a short reply. There are no retries: any failed step is
// returned to the caller, which ends its operation with a result code.
#pragma once

#include "link/command_frame.h"
#include "support/result_word.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

struct StatusExchange {
    enum class Outcome {
        Status,      // a status report with the frame's tag arrived
        SendFailure, // the frame was not sent completely
        DataFailure, // the data block was not sent completely
        NoStatus,    // the status read returned fewer than 64 bytes
        TagMismatch, // the report's byte 0 is not the frame's tag
    };
    Outcome outcome = Outcome::SendFailure;
    uint16_t statusWord = 0; // valid with Outcome::Status

    bool hasStatus() const { return outcome == Outcome::Status; }
};

enum class ReadOutcome { Done, SendFailure, ReadFailure };

struct QueryExchange {
    ReadOutcome outcome = ReadOutcome::SendFailure;
    std::vector<uint8_t> reply; // replySize bytes when Done
};

// What the collected bytes of a status read say about the frame with this
// tag: NoStatus unless they are a whole 64-byte report, TagMismatch when byte
// 0 is not the tag, otherwise Status with the word in bytes 2..3.
StatusExchange decodeStatusReport(std::span<const uint8_t> collected, uint8_t tag);

// Frame, then the status report.
StatusExchange commandExchange(const CommandFrame& frame);

// Frame, the data in 128-byte pieces (progress into the word when given), then
// the status report. The writer answers once the whole block has arrived.
StatusExchange writeExchange(const CommandFrame& frame, std::span<const uint8_t> data,
                             ResultWord progress = ResultWord());

// The same with a pause between the frame and the data, for a writer that
// prepares its memory first (the off-line image download).
StatusExchange writeExchange(const CommandFrame& frame, std::span<const uint8_t> data,
                             ResultWord progress, std::chrono::milliseconds pauseBeforeData);

// Frame, then buffer.size() bytes from the writer in 1024-byte pieces. No
// status report follows; a read of 0 bytes fetches nothing.
ReadOutcome readExchange(const CommandFrame& frame, std::span<uint8_t> buffer,
                         ResultWord progress = ResultWord());

// Frame, then one 1025-byte feature report whose first replySize payload bytes
// are the reply.
QueryExchange queryExchange(const CommandFrame& frame, std::size_t replySize);

// What a status word means after the command it answers.
enum class StatusVerdict { Done, ChecksumError, Failure };
StatusVerdict judgeStatus(uint16_t commandCode, uint16_t statusWord);

} // namespace zephlin
