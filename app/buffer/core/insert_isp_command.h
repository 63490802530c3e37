// Insert ISP-code: the part's built-in ISP image or a user file placed by the
// library at the top of the target page's area, which raises the ISP-memory
// setting; the buffer takes the result and the option panel shows it.
#pragma once

#include "shell/core/operation_runner.h"
#include "shell/core/workspace.h"

#include <memory>
#include <string>

namespace zephlin {

// The name the record carries for the built-in image.
inline constexpr std::wstring_view kDefaultIspName = L"Default ISP";

// The ISP code's page by chip type: the second area for chip type 21, the
// main area for every other type.
int ispTargetPage(uint32_t chipType);

// The dialog's choice into the record: the built-in image (source 0, "Default
// ISP") or a user file by its full path (source 1).
void chooseBuiltInIsp(ZephlinContext& record);
void chooseUserIsp(ZephlinContext& record, std::wstring_view fullPath);

// The command over the record's ISP choice and the target page's buffer. On
// success the page's buffer holds the image, its load state follows the
// insertion, the panel shows the raised settings, and the ISP code name
// keeps only its file name.
std::unique_ptr<Command> makeInsertIsp(Workspace& workspace, int page);

} // namespace zephlin
