// Load File and Save Buffer on the command line: each writes its log entry
// as the main window does ("Load File" / "Save Buffer", outcome, time).
#pragma once

#include "load_record.h"
#include "session.h"

#include <cstdint>
#include <string>

namespace zephlin::cli {

// Where a code file goes: the Select Area choices.
struct Placement {
    uint32_t loadAddress = 0;
    FillMode fill = FillMode::None;
};

// Loads a code file onto a page, or, for a ".kdx" file on the main page, the
// project with its part, option settings, step flags and both images.
// Returns the result code the entry shows (101 Pass; 114, 124, or a project
// code from the library). An Intel HEX file with a damaged record is refused
// after its entry ("Checksum error") with a CommandFailure naming the line.
uint16_t loadFile(Session& session, const std::string& path, int page, Placement placement);

// Writes a page's buffer to a raw binary file; false when the file cannot be
// written ("Save file error").
bool saveBuffer(Session& session, int page, const std::string& path);

} // namespace zephlin::cli
