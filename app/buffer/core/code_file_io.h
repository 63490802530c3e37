// Whole-file reads and writes of code files and buffers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zephlin {

struct FileBytes {
    enum class Status {
        Read,
        CannotOpen, // missing, not a regular file, or unreadable
        TooLarge    // longer than the limit; nothing was read
    };
    Status status = Status::CannotOpen;
    std::vector<uint8_t> bytes;
};

// Reads a whole regular file of at most limit bytes.
FileBytes readWholeFile(const std::filesystem::path& path, uint64_t limit);

// Writes the bytes to a new file that replaces the one at path (or the file a
// symbolic link there points to) only once it is complete; false when it
// cannot be written completely, and then a file already there is unchanged
// and no partial file is left.
bool writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

} // namespace zephlin
