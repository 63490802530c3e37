// OffLineMode and ReadOffLineModeInfo: the writer-only session (writer and
// firmware, no target), then the downloads or the information read.
#include "Zephlin_DLL.h"

#include "operations/area_requests.h"
#include "operations/device_export.h"
#include "operations/session_start.h"
#include "project/offline_transfer.h"

#include <optional>

namespace {

using namespace zephlin;
using namespace zephlin::project;

const SessionRequest kWriterOnly{.kind = SessionKind::WriterOnly};

// The writer would program an image that runs past its area into the next
// part of the chip, so such a record is refused before the writer is opened.
bool imagesFitAreas(const ZephlinContext& record, const ChipRecord& chip) {
    return fitsArea(record.codeStart, record.codeSize, chip.mainAreaSize) &&
           fitsArea(record.dataStart, record.dataSize, chip.secondAreaSize);
}

uint16_t loadOfflineMode(ZephlinContext& record, const ChipRecord& chip,
                         const ResultWord& progress) {
    if (!imagesFitAreas(record, chip)) {
        return ZEPHLIN_RESULT_FILE_TOO_LARGE;
    }
    const std::optional<OfflineDownload> download = offlineDownloadOf(record);
    if (!download) {
        return ZEPHLIN_RESULT_FAIL;
    }
    if (const auto failure = beginSession(chip, kWriterOnly)) {
        return *failure;
    }
    return sendOfflineDownload(*download, progress);
}

uint16_t readOfflineModeInfo(ZephlinContext& record, const ChipRecord& chip) {
    if (const auto failure = beginSession(chip, kWriterOnly)) {
        return *failure;
    }
    return readOfflineInformation(record);
}

} // namespace

extern "C" ZEPHLIN_API uint16_t OffLineMode(ZephlinContext* context) {
    return runDeviceExport(context, loadOfflineMode);
}

extern "C" ZEPHLIN_API uint16_t ReadOffLineModeInfo(ZephlinContext* context) {
    return runDeviceExport(context,
                           [](ZephlinContext& record, const ChipRecord& chip, const ResultWord&) {
                               return readOfflineModeInfo(record, chip);
                           });
}
