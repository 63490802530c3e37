// SaveKDX: the save dialog, the random keys and the time of saving, then the
// project file, written so that a failure never destroys an existing project.
#include "Zephlin_DLL.h"

#include "link/host_services.h"
#include "operations/context_text.h"
#include "operations/operation_export.h"
#include "project/project_files.h"
#include "project/project_writer.h"
#include "support/byte_order.h"
#include "support/checksum16.h"
#include "support/file_replacement.h"
#include "support/random_tag.h"
#include "support/utf8.h"

#include <array>
#include <chrono>
#include <ctime>

namespace {

using namespace zephlin;
using namespace zephlin::project;

uint8_t nextRandomByte() {
    return static_cast<uint8_t>(nextRandomValue());
}

// Every save reseeds the generator from the clock, then draws the random key
// and after it the ATPG key; the save time is local time.
SaveStamp stampOfThisSave() {
    const auto now = std::chrono::system_clock::now();
    seedRandomGenerator(static_cast<uint32_t>(now.time_since_epoch().count()));
    SaveStamp stamp;
    for (uint8_t& byte : stamp.randomKey) {
        byte = nextRandomByte();
    }
    for (uint8_t& byte : stamp.atpgKey) {
        byte = nextRandomByte();
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    constexpr int kCentury = 2000 - 1900;
    stamp.saveTime = {static_cast<uint8_t>(local.tm_year - kCentury),
                      static_cast<uint8_t>(local.tm_mon + 1),
                      static_cast<uint8_t>(local.tm_mday),
                      static_cast<uint8_t>(local.tm_hour),
                      static_cast<uint8_t>(local.tm_min),
                      static_cast<uint8_t>(local.tm_sec)};
    return stamp;
}

void storeStamp(const SaveStamp& stamp, ZephlinContext& context) {
    context.customerId = footer::kCustomerId;
    context.randomKey = loadBigEndian(stamp.randomKey, 0, stamp.randomKey.size());
    context.atpgKey = static_cast<uint16_t>(loadBigEndian(stamp.atpgKey, 0, stamp.atpgKey.size()));
    std::copy(stamp.saveTime.begin(), stamp.saveTime.end(), std::begin(context.saveTime));
}

uint16_t saveProject(ZephlinContext& context, const ResultWord& result) {
    result.store(0);
    // A record that cannot make a valid file fails before the user is asked
    // for a name.
    const std::optional<ProjectContent> content = projectContentOf(context);
    if (!content) {
        return ZEPHLIN_RESULT_FAIL;
    }
    const std::optional<std::wstring> path = host::chooseSaveFile({
        .filterText = L"veltrix Project File (*.kdx)",
        .pattern = L"*.kdx",
        .defaultExtension = L"kdx",
        .startFolder = contextText(context.projectFolder),
        .confirmOverwrite = true,
    });
    if (!path) {
        return ZEPHLIN_RESULT_CANCELLED;
    }
    // A project is opened again through the record's path field: a path that
    // does not fit it would save a file that can never be loaded.
    if (path->size() >= ZEPHLIN_PATH_CAPACITY) {
        return ZEPHLIN_RESULT_OPEN_FILE_ERROR;
    }
    storeContextText(context.projectFolder, folderOfPath(*path));
    FileReplacement file(utf8::fromWide(*path));
    if (!file.isOpen()) {
        return ZEPHLIN_RESULT_OPEN_FILE_ERROR;
    }
    storeContextText(context.projectFile, nameOfPath(*path));
    context.bufferChecksum = checksum16(content->code);
    const SaveStamp stamp = stampOfThisSave();
    storeStamp(stamp, context);
    const std::vector<uint8_t> footer = buildProjectFooter(*content, stamp);
    const std::array<std::span<const uint8_t>, 3> parts{content->code, content->data, footer};
    return file.commit(parts) ? ZEPHLIN_RESULT_PASS : ZEPHLIN_RESULT_OPEN_FILE_ERROR;
}

} // namespace

extern "C" ZEPHLIN_API uint16_t SaveKDX(ZephlinContext* context) {
    return runOperationExport(context, ZEPHLIN_RESULT_OPEN_FILE_ERROR, saveProject);
}
