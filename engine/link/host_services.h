// What the library asks of the program it runs in: a Yes/No answer, a message
// shown to the user, a save-file dialog. The program installs its own
// implementations through ZephlinSetHostServices; without them every question
// is answered No and every dialog is cancelled.
#pragma once

#include "Zephlin_DLL.h"

#include <optional>
#include <string>

namespace zephlin::host {

enum class MessageKind { Plain = ZEPHLIN_MESSAGE_PLAIN, Stop = ZEPHLIN_MESSAGE_STOP };

bool askYesNo(const std::wstring& question);
void showMessage(const std::wstring& text, MessageKind kind);

struct SaveFileRequest {
    std::wstring filterText;
    std::wstring pattern;
    std::wstring defaultExtension;
    std::wstring startFolder;
    bool confirmOverwrite = true;
};

// The chosen full path, or nothing when the user cancelled.
std::optional<std::wstring> chooseSaveFile(const SaveFileRequest& request);

} // namespace zephlin::host
