// Save Buffer: a page's buffer written as a raw binary file, with its log
// entry ("Save Buffer", outcome, time).
#pragma once

#include "shell/core/workspace.h"

#include <string>

namespace zephlin {

// False when the file cannot be written ("Save file error").
bool saveBuffer(Workspace& workspace, int page, const std::string& path);

} // namespace zephlin
