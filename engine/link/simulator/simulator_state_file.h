// The simulated writer's state file, so that one run can program a chip and
// the next verify it. The file is binary and versioned; reading checks every
// length against the file and the catalogue.
#pragma once

#include "link/simulator/writer_state.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zephlin::sim {

// Writes the state to a temporary file beside path and renames it over path,
// so that a failed write never destroys the previous state.
bool writeStateFile(const std::filesystem::path& path, const WriterState& state,
                    std::string& error);

std::optional<WriterState> readStateFile(const std::filesystem::path& path, std::string& error);

} // namespace zephlin::sim
