// Whole-file reads and safe replacement of files, for project files and ISP
// code files. Paths are wide text, handed to the file system as UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephlin::project {

// The folder of a path with its trailing separator (empty for a bare name),
// and the name after it.
std::wstring folderOfPath(const std::wstring& path);
std::wstring nameOfPath(const std::wstring& path);

struct FileContent {
    enum class Status { Read, CannotOpen, TooLarge };
    Status status = Status::CannotOpen;
    std::vector<uint8_t> bytes;
};

// The whole file, unless it cannot be opened or read (CannotOpen) or holds
// more than limit bytes (TooLarge, found without reading it).
FileContent readWholeFile(const std::wstring& path, std::size_t limit);

// A file that replaces its target only once it is complete: it is written to
// a temporary file in the target's folder, flushed to the disk and renamed
// over the target, so that a failed write (a full disk, a short write) leaves
// an existing file of that name as it was. A replacement that is not
// committed removes its temporary file.
class FileReplacement {
public:
    explicit FileReplacement(const std::wstring& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Whether the temporary file could be created.
    bool isOpen() const { return descriptor_ >= 0; }

    // Writes the parts in order, flushes them and renames the file over the
    // target. False when any step failed; the target is then untouched.
    bool commit(std::span<const std::span<const uint8_t>> parts);

private:
    std::string target_;
    std::string folder_;
    std::string temporary_;
    int descriptor_ = -1;
};

} // namespace zephlin::project
