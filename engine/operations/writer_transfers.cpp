#include "operations/writer_transfers.h"

#include "Zephlin_DLL.h"
#include "operations/option_bytes.h"
#include "support/checksum16.h"

namespace zephlin {

uint16_t resultOfRead(ReadOutcome outcome) {
    switch (outcome) {
    case ReadOutcome::Done:
        return ZEPHLIN_RESULT_PASS;
    case ReadOutcome::SendFailure:
        return ZEPHLIN_RESULT_SEND_ERROR;
    case ReadOutcome::ReadFailure:
        return ZEPHLIN_RESULT_READ_ERROR;
    }
    return ZEPHLIN_RESULT_FAIL;
}

uint16_t resultOfStatusExchange(uint16_t commandCode, const StatusExchange& exchange) {
    switch (exchange.outcome) {
    case StatusExchange::Outcome::Status:
        break;
    case StatusExchange::Outcome::SendFailure:
    case StatusExchange::Outcome::DataFailure:
        return ZEPHLIN_RESULT_SEND_ERROR;
    case StatusExchange::Outcome::NoStatus:
    case StatusExchange::Outcome::TagMismatch:
        return ZEPHLIN_RESULT_FAIL;
    }
    switch (judgeStatus(commandCode, exchange.statusWord)) {
    case StatusVerdict::Done:
        return ZEPHLIN_RESULT_PASS;
    case StatusVerdict::ChecksumError:
        return ZEPHLIN_RESULT_CHECKSUM_ERROR;
    case StatusVerdict::Failure:
        break;
    }
    return ZEPHLIN_RESULT_FAIL;
}

WriterRead readFromWriter(uint16_t commandCode, uint32_t start, uint32_t length,
                          ResultWord progress) {
    WriterRead read{ZEPHLIN_RESULT_FAIL, std::vector<uint8_t>(length)};
    read.result = resultOfRead(readExchange(
        commandFrame(commandCode, FrameTag::fresh(), start, length), read.bytes, progress));
    return read;
}

uint16_t writeToWriter(uint16_t commandCode, uint32_t start, std::span<const uint8_t> data,
                       uint16_t checksum, ResultWord progress) {
    const auto length = static_cast<uint32_t>(data.size());
    return resultOfStatusExchange(
        commandCode,
        writeExchange(commandFrame(commandCode, FrameTag::fresh(), start, length, checksum), data,
                      progress));
}

uint16_t writeOptionWordsToWriter(std::span<const uint32_t> words) {
    const std::vector<uint8_t> bytes = optionBytesOf(words);
    return writeToWriter(command::kWriteOptionWords, 0, bytes, checksum16(bytes));
}

} // namespace zephlin
