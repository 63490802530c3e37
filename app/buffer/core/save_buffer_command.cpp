#include "buffer/core/save_buffer_command.h"

#include "buffer/core/code_file_io.h"
#include "shell/core/control_ids.h"
#include "shell/core/message_table.h"
#include "shell/core/timed_entry.h"

namespace zephlin {
namespace {

constexpr TextPair kSaveFileError{L"Save file error", L"保存文件错误"};

} // namespace

bool saveBuffer(Workspace& workspace, int page, const std::string& path) {
    TimedEntry entry(workspace, ids::kSaveBuffer);
    const bool written = writeWholeFile(path, workspace.buffer().readArea(page));
    entry.finish(written ? passText() : kSaveFileError);
    return written;
}

} // namespace zephlin
