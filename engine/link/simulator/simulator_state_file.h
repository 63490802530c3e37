// The simulated writer's state file, so that one run can program a chip and
// the next verify it. The file is binary and versioned; reading checks every
// length against the file and the catalogue.
#pragma once

#include "link/simulator/writer_state.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephlin::sim {

// Larger than any state the simulator produces: the biggest part's flash
// plus a full off-line image.
inline constexpr std::size_t kLargestStateFile = 8u << 20;

std::vector<uint8_t> serialiseState(const WriterState& state);

// The state a file's bytes hold, or nothing with a reason.
std::optional<WriterState> parseStateFile(std::span<const uint8_t> bytes, std::string& reason);

// Writes the state to a temporary file beside path and renames it over path,
// so that a failed write never destroys the previous state.
bool writeStateFile(const std::filesystem::path& path, const WriterState& state,
                    std::string& error);

std::optional<WriterState> readStateFile(const std::filesystem::path& path, std::string& error);

} // namespace zephlin::sim
