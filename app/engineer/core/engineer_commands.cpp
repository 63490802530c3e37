#include "engineer/core/engineer_commands.h"

#include "engineer/core/read_file.h"
#include "shell/core/timed_entry.h"

#include "Zephlin_DLL.h"

namespace zephlin {

std::vector<uint8_t> runEngineerWrite(Workspace& workspace, const EngineerSheetModel& sheet) {
    TimedEntry entry(workspace, texts::kWriteEngineer);
    std::vector<uint8_t> image = sheet.writeImage();
    entry.finish(uint16_t{ZEPHLIN_RESULT_PASS});
    return image;
}

void runEngineerRead(Workspace& workspace, EngineerSheetModel& sheet,
                     const std::filesystem::path& folder) {
    TimedEntry entry(workspace, texts::kReadEngineer);
    const std::vector<uint8_t> image = sheet.read();
    entry.finish(uint16_t{ZEPHLIN_RESULT_PASS});
    writeReadFile(folder, sheet.sheet().name, image);
}

} // namespace zephlin
