// Whole-file reads of project files and ISP code files, and the parts of a
// path. Paths are wide text, handed to the file system as UTF-8; files are
// written with FileReplacement (support/file_replacement.h).
#pragma once

#include <cstdint>
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

} // namespace zephlin::project
