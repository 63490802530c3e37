// WriteOptions and ReadOptions: the option settings of the record built into
// the part's option words and written, or read back and decoded.
#include "operations/option_exports.h"

#include "link/command_frame.h"
#include "operations/device_export.h"
#include "operations/option_bytes.h"
#include "operations/option_codec.h"
#include "operations/session_start.h"
#include "operations/writer_transfers.h"

namespace zephlin {
namespace {

uint16_t writeOptions(const ZephlinContext& record, const ChipRecord& chip) {
    return inSession(chip, {}, [&] {
        // With the chip checksum word the builder gives more words than the
        // part has; they all go to the writer.
        return writeOptionWordsToWriter(buildOptionWords(record));
    });
}

} // namespace

uint16_t readOptionSettings(ZephlinContext& record, const ChipRecord& chip) {
    return inSession(chip, {}, [&] {
        const uint32_t count = chip.optionWordCount;
        const WriterRead read =
            readFromWriter(command::kReadOptionWords, 0, count * kOptionWordBytes);
        if (read.result == ZEPHLIN_RESULT_PASS) {
            decodeOptionWords(record, optionWordsFrom(read.bytes, count));
        }
        return read.result;
    });
}

} // namespace zephlin

extern "C" ZEPHLIN_API uint16_t WriteOptions(ZephlinContext* context) {
    return zephlin::runDeviceExport(
        context, [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                    const zephlin::ResultWord&) { return zephlin::writeOptions(record, chip); });
}

extern "C" ZEPHLIN_API uint16_t ReadOptions(ZephlinContext* context) {
    return zephlin::runDeviceExport(
        context,
        [](ZephlinContext& record, const zephlin::ChipRecord& chip, const zephlin::ResultWord&) {
            return zephlin::readOptionSettings(record, chip);
        });
}
