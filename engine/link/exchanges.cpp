#include "link/exchanges.h"

#include "link/writer_connection.h"
#include "support/byte_order.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr uint16_t kStatusDone = 0;
constexpr uint16_t kStatusChecksumError = 1;
constexpr std::size_t kStatusWordOffset = 2;

bool sendFrame(const CommandFrame& frame) {
    return writerLink().blockSend(frame.bytes(), ResultWord()) == frame.bytes().size();
}

StatusExchange awaitStatus(const CommandFrame& frame) {
    StatusReport report;
    report.fill(0xFF); // a missing report must not read as a good one
    const std::size_t collected = writerLink().statusRead(report);
    return decodeStatusReport(
        std::span<const uint8_t>(report).first(std::min(collected, report.size())), frame.tag());
}

} // namespace

StatusExchange decodeStatusReport(std::span<const uint8_t> collected, uint8_t tag) {
    if (collected.size() != kStatusReportSize) {
        return {StatusExchange::Outcome::NoStatus, 0};
    }
    if (collected[0] != tag) {
        return {StatusExchange::Outcome::TagMismatch, 0};
    }
    return {StatusExchange::Outcome::Status, loadLe16(collected, kStatusWordOffset)};
}

StatusExchange commandExchange(const CommandFrame& frame) {
    if (!sendFrame(frame)) {
        return {StatusExchange::Outcome::SendFailure, 0};
    }
    return awaitStatus(frame);
}

StatusExchange writeExchange(const CommandFrame& frame, std::span<const uint8_t> data,
                             ResultWord progress) {
    return writeExchange(frame, data, progress, std::chrono::milliseconds::zero());
}

StatusExchange writeExchange(const CommandFrame& frame, std::span<const uint8_t> data,
                             ResultWord progress, std::chrono::milliseconds pauseBeforeData) {
    if (!sendFrame(frame)) {
        return {StatusExchange::Outcome::SendFailure, 0};
    }
    if (pauseBeforeData > std::chrono::milliseconds::zero()) {
        writerLink().wait(pauseBeforeData);
    }
    if (writerLink().blockSend(data, progress) != data.size()) {
        return {StatusExchange::Outcome::DataFailure, 0};
    }
    return awaitStatus(frame);
}

ReadOutcome readExchange(const CommandFrame& frame, std::span<uint8_t> buffer,
                         ResultWord progress) {
    if (!sendFrame(frame)) {
        return ReadOutcome::SendFailure;
    }
    if (buffer.empty()) {
        return ReadOutcome::Done;
    }
    return writerLink().blockRead(buffer, progress) == buffer.size() ? ReadOutcome::Done
                                                                     : ReadOutcome::ReadFailure;
}

QueryExchange queryExchange(const CommandFrame& frame, std::size_t replySize) {
    const std::size_t size = std::min(replySize, kReadPiece);
    QueryExchange result{ReadOutcome::SendFailure, std::vector<uint8_t>(size)};
    result.outcome = readExchange(frame, result.reply);
    if (result.outcome != ReadOutcome::Done) {
        result.reply.clear();
    }
    return result;
}

// The writer reports success with status word 0 alone: any other word after
// an erase or a write (the whole-chip erase and the option words included) is
// a failure, so that a writer that refused a step is never reported as Pass.
StatusVerdict judgeStatus(uint16_t commandCode, uint16_t statusWord) {
    if (statusWord == kStatusDone) {
        return StatusVerdict::Done;
    }
    switch (commandCode) {
    case command::kWriteMainArea:
    case command::kWriteSecondArea:
    case command::kWriteOptionWords:
    case command::kWriteOfflineImage:
    case command::kWriteOfflineSettings:
        return statusWord == kStatusChecksumError ? StatusVerdict::ChecksumError
                                                  : StatusVerdict::Failure;
    default:
        return StatusVerdict::Failure;
    }
}

} // namespace zephlin
