// Erase and BlankCheck: page erase of the selected areas, and the read-back
// that checks every byte for the part's erased value. A non-zero size only
// selects an area; the whole area is erased, and the main area is checked
// over its whole size.
#include "Zephlin_DLL.h"
#include "link/exchanges.h"
#include "operations/area_requests.h"
#include "operations/device_export.h"
#include "operations/session_start.h"
#include "operations/writer_transfers.h"

#include <algorithm>

namespace zephlin {
namespace {

uint16_t eraseArea(uint16_t commandCode, uint32_t areaSize, uint32_t pageSize) {
    const StatusExchange exchange = commandExchange(commandFrame(commandCode, FrameTag::fresh(), 0,
                                                                 pageCount(areaSize, pageSize),
                                                                 static_cast<uint16_t>(pageSize)));
    if (exchange.outcome == StatusExchange::Outcome::NoStatus) {
        return ZEPHLIN_RESULT_STATUS_READ_ERROR;
    }
    return resultOfStatusExchange(commandCode, exchange);
}

uint16_t erase(const ZephlinContext& record, const ChipRecord& chip) {
    if (record.dataSize != 0 && chip.secondAreaSize == 0) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE; // the part has no second area
    }
    return inSession(chip, {}, [&] {
        return forSelectedAreas(
            record,
            [&] {
                return eraseArea(command::kEraseMainArea, chip.mainAreaSize, chip.mainPageSize);
            },
            [&] {
                return eraseArea(command::kEraseSecondArea, chip.secondAreaSize,
                                 chip.secondPageSize);
            });
    });
}

uint16_t checkBlank(uint16_t commandCode, uint32_t start, uint32_t length, uint8_t erasedValue,
                    const ResultWord& progress) {
    const WriterRead read = readFromWriter(commandCode, start, length, progress);
    if (read.result != ZEPHLIN_RESULT_PASS) {
        return read.result;
    }
    const bool blank = std::all_of(read.bytes.begin(), read.bytes.end(),
                                   [erasedValue](uint8_t byte) { return byte == erasedValue; });
    return blank ? ZEPHLIN_RESULT_PASS : ZEPHLIN_RESULT_FAIL;
}

uint16_t blankCheck(const ZephlinContext& record, const ChipRecord& chip,
                    const ResultWord& progress) {
    if (record.dataSize != 0 && !fitsArea(record.dataStart, record.dataSize, chip.secondAreaSize)) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    return inSession(chip, {}, [&] {
        return forSelectedAreas(
            record,
            [&] {
                return checkBlank(command::kReadMainArea, 0, chip.mainAreaSize, chip.erasedValue,
                                  progress);
            },
            [&] {
                return checkBlank(command::kReadSecondArea, record.dataStart, record.dataSize,
                                  chip.erasedValue, progress);
            });
    });
}

} // namespace
} // namespace zephlin

extern "C" ZEPHLIN_API uint16_t Erase(ZephlinContext* context) {
    return zephlin::runDeviceExport(
        context, [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                    const zephlin::ResultWord&) { return zephlin::erase(record, chip); });
}

extern "C" ZEPHLIN_API uint16_t BlankCheck(ZephlinContext* context) {
    return zephlin::runDeviceExport(context,
                                    [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                                       const zephlin::ResultWord& progress) {
                                        return zephlin::blankCheck(record, chip, progress);
                                    });
}
