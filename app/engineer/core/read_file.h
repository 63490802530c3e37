// The read file of a sheet: the read image stored as the sheet's Name plus
// ".bin" in the current folder. The name comes from Engineer.ini, so it is
// made a plain file name first: it can never reach outside that folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace zephlin {

// Name + ".bin", where every path separator, every character a file name
// cannot hold (control characters and < > : " | ? *) and every leading dot
// of the name becomes '_', and a name too long for a file name is cut.
std::wstring readFileName(std::wstring_view sheetName);

// Creates or truncates the read file in the folder and writes the image;
// false when it cannot be written (which Read passes over silently).
bool writeReadFile(const std::filesystem::path& folder, std::wstring_view sheetName,
                   std::span<const uint8_t> image);

} // namespace zephlin
