// Load File: a code file onto a page, or a project file with its part, option
// settings, step flags and both images. It writes its log entry as every
// command does ("Load File", outcome, time).
#pragma once

#include "buffer/core/load_record.h"
#include "shell/core/workspace.h"

#include "support/hex_records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zephlin {

// Where a code file goes: the Select Area choices.
struct Placement {
    uint32_t loadAddress = 0;
    FillMode fill = FillMode::None;
    bool clearBuffer = true;
};

struct LoadFileResult {
    // The result code the entry shows: 101 Pass; 114, 124, 112 "Checksum
    // error" for an Intel HEX file with a damaged record, or a project code
    // from the library.
    uint16_t result = 0;
    std::optional<hex::DamagedRecord> damaged; // where the HEX file is damaged
};

// Loads a code file onto a page, or, for a ".kdx" file on the main page, the
// project (its part restored).
LoadFileResult loadFile(Workspace& workspace, const std::string& path, int page,
                        Placement placement);

} // namespace zephlin
