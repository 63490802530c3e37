#include "buffer/core/load_file_command.h"

#include "buffer/core/code_file_load.h"
#include "common/text_field.h"
#include "shell/core/control_ids.h"
#include "shell/core/timed_entry.h"

#include "support/utf8.h"

#include <filesystem>
#include <vector>

namespace zephlin {
namespace {

uint16_t loadProject(Workspace& workspace, const std::string& path) {
    ZephlinContext& record = workspace.record();
    const std::wstring fullPath = utf8::toWide(std::filesystem::absolute(path).string());
    copyTextField(record.projectFile, ZEPHLIN_PATH_CAPACITY, fullPath);
    if (const uint16_t code = LoadKDXFooter(&record); code != ZEPHLIN_RESULT_PASS) {
        return code;
    }
    std::vector<uint8_t> code(record.codeSize);
    std::vector<uint8_t> data(record.dataSize);
    record.codeImage = code.data();
    record.dataImage = record.dataSize != 0 ? data.data() : nullptr;
    const uint16_t result = LoadKDXBuffer(&record);
    record.codeImage = nullptr;
    record.dataImage = nullptr;
    if (result != ZEPHLIN_RESULT_PASS) {
        return result;
    }
    workspace.restoreProjectPart();
    CodeBuffer& buffer = workspace.buffer();
    buffer.setArea(kMainPage, code);
    buffer.loadRecord(kMainPage).state = LoadState::SingleFile;
    if (!data.empty() && buffer.setArea(kSecondPage, data)) {
        buffer.loadRecord(kSecondPage).state = LoadState::SingleFile;
    }
    return ZEPHLIN_RESULT_PASS;
}

} // namespace

LoadFileResult loadFile(Workspace& workspace, const std::string& path, int page,
                        Placement placement) {
    TimedEntry entry(workspace, ids::kLoadFile);
    const std::wstring extension = upperExtension(utf8::toWide(path));
    uint16_t result = ZEPHLIN_RESULT_PASS;
    std::optional<hex::DamagedRecord> damaged;
    if (codeFileKind(extension) == CodeFileKind::Project) {
        result = loadProject(workspace, path);
    } else {
        CodeBuffer& buffer = workspace.buffer();
        buffer.setLoadAddress(placement.loadAddress);
        buffer.setClearBufferOption(placement.clearBuffer);
        buffer.loadRecord(page).fillMode = placement.fill;
        const std::string fullPath = std::filesystem::absolute(path).string();
        const CodeFileLoad loaded = loadCodeFileFromDisk(buffer, page, fullPath, LoadForm::Normal);
        result = loaded.result;
        damaged = loaded.damaged;
        if (result == ZEPHLIN_RESULT_PASS && page == kMainPage) {
            const std::wstring name = utf8::toWide(std::filesystem::path(path).filename().string());
            copyTextField(workspace.record().codeFileName, ZEPHLIN_PATH_CAPACITY, name);
        }
    }
    entry.finish(result);
    return {result, damaged};
}

} // namespace zephlin
