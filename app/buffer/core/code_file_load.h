// Load File for code files: an Intel HEX file (extension "HEX") is converted,
// any other file is taken byte for byte, and the image is placed into the
// current page's buffer at the load address by the page's load state, with
// the page's fill mode. A failed load changes nothing.
#pragma once

#include "buffer/core/code_buffer.h"

#include "support/hex_records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zephlin {

enum class LoadForm {
    Normal, // Load File: honours the clear-buffer option and records the path
    Reload  // Auto Reload: the page's recorded file again, merged as before
};

enum class CodeFileKind { Project, IntelHex, RawBinary };

// The extension of a path, without the dot and in upper case; empty when the
// file name has none.
std::wstring upperExtension(std::wstring_view path);
// What Load File does with a file of this upper-case extension.
CodeFileKind codeFileKind(std::wstring_view extension);

struct CodeFileLoad {
    // 101, or the result code whose message the log shows: 114 "Open file
    // error", 124 "File is too large !", 112 "Checksum error" for an Intel
    // HEX file with a damaged record (damaged says where).
    uint16_t result = 0;
    // The page's File Path text: the path, or "<path> (Mixed file)".
    std::wstring label;
    std::optional<hex::DamagedRecord> damaged;
};

// Loads a file's bytes (nothing: the file could not be opened) into a page.
// path is the file's full path as the page records it.
CodeFileLoad loadCodeFile(CodeBuffer& buffer, int page,
                          std::optional<std::span<const uint8_t>> file, std::wstring_view path,
                          LoadForm form);

// The same for a file on disk, read whole; path is UTF-8.
CodeFileLoad loadCodeFileFromDisk(CodeBuffer& buffer, int page, const std::string& path,
                                  LoadForm form);

// The image Load File makes of a code file's bytes for an area that can take
// capacity bytes: the converted text for "HEX", else the bytes themselves.
struct CodeFileImage {
    uint16_t result = 0; // 101, 124 when it would not fit, 112 for a damaged record
    std::vector<uint8_t> bytes;
    std::optional<hex::DamagedRecord> damaged;
};
CodeFileImage codeFileImage(std::span<const uint8_t> file, std::wstring_view extension,
                            uint64_t capacity);

} // namespace zephlin
