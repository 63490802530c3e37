// The simulated writer's state file, held by one program from the moment the
// simulator reads it until the program lets the simulator go: two programs
// that share a state file take turns (the second waits) instead of one
// overwriting what the other wrote. The hold is an exclusive lock (flock) on
// the file; a save writes a new file, locks it and renames it over the old
// one, so the hold passes to the new file, and a program that waited on the
// old one opens the new one and waits again.
#pragma once

#include "support/file_replacement.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephlin::sim {

class StateFileLock {
public:
    // Holds the file at path, created empty when it is missing; waits while
    // another program holds it, calling announceWait once before it does.
    // Within one program every simulator of the same file shares one hold.
    // nullptr with a reason when the path names anything but a regular file
    // (a FIFO, a device, a folder) or the file cannot be opened.
    static std::shared_ptr<StateFileLock> acquire(const std::filesystem::path& path,
                                                  std::string& error,
                                                  const std::function<void()>& announceWait);

    StateFileLock(std::string path, UniqueFd file)
        : path_(std::move(path)), file_(std::move(file)) {}

    // The held file's bytes (empty for a file that was just created); nothing
    // with a reason when it cannot be read or is longer than limit.
    std::optional<std::vector<uint8_t>> read(std::size_t limit, std::string& error) const;

    // Replaces the file with the bytes and goes on holding it; on failure the
    // file stays as it was.
    bool replace(std::span<const uint8_t> bytes, std::string& error);

    const std::string& path() const { return path_; }

private:
    std::string path_; // absolute, with links followed
    UniqueFd file_;
};

} // namespace zephlin::sim
