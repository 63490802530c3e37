// Program, Verify, DumpTarget and ReadCheckSum: images between the caller's
// buffers and the target's flash, and the chip checksum kept in option word 8.
#include "Zephlin_DLL.h"
#include "link/command_frame.h"
#include "operations/area_requests.h"
#include "operations/device_export.h"
#include "operations/option_exports.h"
#include "operations/session_start.h"
#include "operations/writer_transfers.h"
#include "support/byte_order.h"

#include <algorithm>

namespace zephlin {
namespace {

// ReadCheckSum reads nine option words whatever the part has; the chip
// checksum is the low half of word 8.
constexpr uint32_t kChipChecksumReadLength = 36;
constexpr std::size_t kChipChecksumOffset = 32;

bool imagesGiven(const ZephlinContext& record) {
    return imageGiven(record.codeImage, record.codeSize) &&
           imageGiven(record.dataImage, record.dataSize);
}

uint16_t program(const ZephlinContext& record, const ChipRecord& chip, const ResultWord& progress) {
    if (!imagesGiven(record)) {
        return ZEPHLIN_RESULT_FAIL;
    }
    if (!fitsArea(record.codeStart, record.codeSize, chip.mainAreaSize) ||
        !fitsArea(record.dataStart, record.dataSize, chip.secondAreaSize)) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    // The checksums are the caller's: the writer checks what it received
    // against them.
    return inSession(chip, {}, [&] {
        return forSelectedAreas(
            record,
            [&] {
                return writeToWriter(command::kWriteMainArea, record.codeStart,
                                     imageBytes(record.codeImage, record.codeSize),
                                     record.codeChecksum, progress);
            },
            [&] {
                return writeToWriter(command::kWriteSecondArea, record.dataStart,
                                     imageBytes(record.dataImage, record.dataSize),
                                     record.dataChecksum, progress);
            });
    });
}

uint16_t compareArea(uint16_t commandCode, std::span<const uint8_t> image,
                     const ResultWord& progress) {
    const WriterRead read =
        readFromWriter(commandCode, 0, static_cast<uint32_t>(image.size()), progress);
    if (read.result != ZEPHLIN_RESULT_PASS) {
        return read.result;
    }
    return std::equal(read.bytes.begin(), read.bytes.end(), image.begin(), image.end())
               ? ZEPHLIN_RESULT_PASS
               : ZEPHLIN_RESULT_FAIL;
}

// Both areas are read from their start: the code start and data start that
// Program used are not sent.
uint16_t verify(const ZephlinContext& record, const ChipRecord& chip, const ResultWord& progress) {
    if (!imagesGiven(record)) {
        return ZEPHLIN_RESULT_FAIL;
    }
    if (!fitsArea(0, record.codeSize, chip.mainAreaSize) ||
        !fitsArea(0, record.dataSize, chip.secondAreaSize)) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    return inSession(chip, {}, [&] {
        return forSelectedAreas(
            record,
            [&] {
                return compareArea(command::kReadMainArea,
                                   imageBytes(record.codeImage, record.codeSize), progress);
            },
            [&] {
                return compareArea(command::kReadSecondArea,
                                   imageBytes(record.dataImage, record.dataSize), progress);
            });
    });
}

// Reads a whole area into the caller's buffer and records its size there;
// the buffer changes only when the read is complete.
uint16_t dumpArea(uint16_t commandCode, uint32_t areaSize, uint8_t* buffer, uint32_t& size,
                  const ResultWord& progress) {
    const WriterRead read = readFromWriter(commandCode, 0, areaSize, progress);
    if (read.result == ZEPHLIN_RESULT_PASS) {
        std::copy(read.bytes.begin(), read.bytes.end(), buffer);
        size = areaSize;
    }
    return read.result;
}

// The buffers must hold the part's areas. A size given with a buffer is taken
// as its capacity, so a buffer known to be too small is never written.
uint16_t dumpTarget(ZephlinContext& record, const ChipRecord& chip, const ResultWord& progress) {
    const bool hasSecondArea = chip.secondAreaSize != 0;
    if (record.codeImage == nullptr || (hasSecondArea && record.dataImage == nullptr)) {
        return ZEPHLIN_RESULT_FAIL;
    }
    const bool codeTooSmall = record.codeSize != 0 && record.codeSize < chip.mainAreaSize;
    const bool dataTooSmall =
        hasSecondArea && record.dataSize != 0 && record.dataSize < chip.secondAreaSize;
    if (codeTooSmall || dataTooSmall) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    const uint16_t areas = inSession(chip, {}, [&] {
        const uint16_t main = dumpArea(command::kReadMainArea, chip.mainAreaSize, record.codeImage,
                                       record.codeSize, progress);
        if (main != ZEPHLIN_RESULT_PASS || !hasSecondArea) {
            return main;
        }
        return dumpArea(command::kReadSecondArea, chip.secondAreaSize, record.dataImage,
                        record.dataSize, progress);
    });
    if (areas != ZEPHLIN_RESULT_PASS) {
        return areas;
    }
    // The option words come in a session of their own.
    return readOptionSettings(record, chip);
}

uint16_t readCheckSum(const ChipRecord& chip, uint16_t* chipChecksum) {
    if (chipChecksum == nullptr) {
        return ZEPHLIN_RESULT_FAIL;
    }
    // The checksum word can be read from a locked target.
    return inSession(chip, {.acceptLockedTarget = true}, [&] {
        const WriterRead read =
            readFromWriter(command::kReadOptionWords, 0, kChipChecksumReadLength);
        if (read.result == ZEPHLIN_RESULT_PASS) {
            *chipChecksum = loadLe16(read.bytes, kChipChecksumOffset);
        }
        return read.result;
    });
}

} // namespace
} // namespace zephlin

extern "C" ZEPHLIN_API uint16_t Program(ZephlinContext* context) {
    return zephlin::runDeviceExport(context,
                                    [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                                       const zephlin::ResultWord& progress) {
                                        return zephlin::program(record, chip, progress);
                                    });
}

extern "C" ZEPHLIN_API uint16_t Verify(ZephlinContext* context) {
    return zephlin::runDeviceExport(context,
                                    [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                                       const zephlin::ResultWord& progress) {
                                        return zephlin::verify(record, chip, progress);
                                    });
}

extern "C" ZEPHLIN_API uint16_t DumpTarget(ZephlinContext* context) {
    return zephlin::runDeviceExport(context,
                                    [](ZephlinContext& record, const zephlin::ChipRecord& chip,
                                       const zephlin::ResultWord& progress) {
                                        return zephlin::dumpTarget(record, chip, progress);
                                    });
}

extern "C" ZEPHLIN_API uint16_t ReadCheckSum(ZephlinContext* context, uint16_t* chipChecksum) {
    return zephlin::runDeviceExport(context,
                                    [chipChecksum](ZephlinContext&, const zephlin::ChipRecord& chip,
                                                   const zephlin::ResultWord& result) {
                                        result.store(0);
                                        return zephlin::readCheckSum(chip, chipChecksum);
                                    });
}
