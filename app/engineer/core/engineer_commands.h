// The sheets' Write and Read, logged like device operations. The writer's
// protocol has no command that carries a sheet's image, so neither talks to
// the writer: Write builds the write image, Read takes an image of 0xFF
// bytes and stores it as the sheet's read file; both log "Pass".
#pragma once

#include "common/text_pair.h"
#include "engineer/core/engineer_sheet_model.h"
#include "shell/core/workspace.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zephlin {

namespace texts {
inline constexpr TextPair kWriteEngineer{L"Write Engineer OR", L"写入工程 OR"};
inline constexpr TextPair kReadEngineer{L"Read Engineer OR", L"读取工程 OR"};
} // namespace texts

// "%03d - Write Engineer OR =>Pass   [t"]"; returns the write image.
std::vector<uint8_t> runEngineerWrite(Workspace& workspace, const EngineerSheetModel& sheet);

// "%03d - Read Engineer OR =>Pass   [t"]"; the sheet shows what it read and
// the read image goes to its read file in the folder (skipped silently when
// the file cannot be written).
void runEngineerRead(Workspace& workspace, EngineerSheetModel& sheet,
                     const std::filesystem::path& folder);

} // namespace zephlin
