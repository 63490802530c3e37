#include "file_commands.h"

#include "command_support.h"

#include "code_file_io.h"
#include "code_file_load.h"
#include "control_ids.h"
#include "message_table.h"
#include "ui_texts.h"

#include "support/utf8.h"

#include <cwchar>
#include <filesystem>
#include <vector>

namespace zephlin::cli {
namespace {

constexpr TextPair kSaveFileError{L"Save file error", L"保存文件错误"};

// The numbered header now, the outcome and the time trailer when it ends.
class ManualEntry {
public:
    ManualEntry(Session& session, int buttonId) : session_(session), start_(steadyMilliseconds()) {
        session_.log().writeNumberedHeader(controlText(buttonId).pick(session_.language()));
    }
    void finish(TextPair outcome) {
        session_.log().append(outcome.pick(session_.language()));
        session_.log().writeTimeTrailer(elapsedTicks(start_, steadyMilliseconds()));
    }
    void finish(uint16_t resultCode) {
        finish(outcomeText(resultCode));
        session_.note(resultCode);
    }

private:
    Session& session_;
    uint32_t start_;
};

uint16_t loadProject(Session& session, const std::string& path) {
    ZephlinContext& record = session.record();
    const std::wstring fullPath = utf8::toWide(std::filesystem::absolute(path).string());
    copyText(record.projectFile, ZEPHLIN_PATH_CAPACITY, fullPath);
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
    session.restorePart();
    CodeBuffer& buffer = session.buffer();
    buffer.setArea(kMainPage, code);
    buffer.loadRecord(kMainPage).state = LoadState::SingleFile;
    if (!data.empty() && buffer.setArea(kSecondPage, data)) {
        buffer.loadRecord(kSecondPage).state = LoadState::SingleFile;
    }
    return ZEPHLIN_RESULT_PASS;
}

} // namespace

uint16_t loadFile(Session& session, const std::string& path, int page, Placement placement) {
    ManualEntry entry(session, ids::kLoadFile);
    const std::wstring extension = upperExtension(utf8::toWide(path));
    uint16_t result = ZEPHLIN_RESULT_PASS;
    std::optional<hex::DamagedRecord> damaged;
    if (codeFileKind(extension) == CodeFileKind::Project) {
        result = loadProject(session, path);
    } else {
        CodeBuffer& buffer = session.buffer();
        buffer.setLoadAddress(placement.loadAddress);
        buffer.setClearBufferOption(true);
        buffer.loadRecord(page).fillMode = placement.fill;
        const std::string fullPath = std::filesystem::absolute(path).string();
        const CodeFileLoad loaded = loadCodeFileFromDisk(buffer, page, fullPath, LoadForm::Normal);
        result = loaded.result;
        damaged = loaded.damaged;
        if (result == ZEPHLIN_RESULT_PASS && page == kMainPage) {
            const std::wstring name = utf8::toWide(std::filesystem::path(path).filename().string());
            copyText(session.record().codeFileName, ZEPHLIN_PATH_CAPACITY, name);
        }
    }
    entry.finish(result);
    if (damaged) {
        throw damagedFileFailure(path, *damaged);
    }
    return result;
}

bool saveBuffer(Session& session, int page, const std::string& path) {
    ManualEntry entry(session, ids::kSaveBuffer);
    const bool written = writeWholeFile(path, session.buffer().readArea(page));
    entry.finish(written ? passText() : kSaveFileError);
    return written;
}

} // namespace zephlin::cli
