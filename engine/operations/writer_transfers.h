// The transfers of the device exports and the result codes they end with:
// a frame not sent (or a data block not sent completely) is 103, a data block
// not read completely 104, a missing status report or a wrong tag 102, a
// checksum error reported by the writer 112.
#pragma once

#include "link/exchanges.h"
#include "support/result_word.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

uint16_t resultOfRead(ReadOutcome outcome);

// A status exchange after a command frame or a write: the status word judged
// for the command that it answers.
uint16_t resultOfStatusExchange(uint16_t commandCode, const StatusExchange& exchange);

struct WriterRead {
    uint16_t result = 0; // 101 when bytes holds everything asked for
    std::vector<uint8_t> bytes;
};

// Frame with start and length, then length bytes from the writer.
WriterRead readFromWriter(uint16_t commandCode, uint32_t start, uint32_t length,
                          ResultWord progress = ResultWord());

// Frame with start, length and checksum, the data, then the status report.
uint16_t writeToWriter(uint16_t commandCode, uint32_t start, std::span<const uint8_t> data,
                       uint16_t checksum, ResultWord progress = ResultWord());

// Option words, word 0 first and each least significant byte first, with
// their 16-bit sum; the writer's status word 0 is success, 1 a checksum
// error, any other a failure (102).
uint16_t writeOptionWordsToWriter(std::span<const uint32_t> words);

} // namespace zephlin
