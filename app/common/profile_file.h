// A profile (INI) file on disk, read and written as the Windows profile
// functions do: every call reads the file anew, a missing file or key gives
// the caller's default, and a write changes one key and keeps the rest.
#pragma once

#include "common/profile_text.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zephlin {

class ProfileFile {
public:
    // Larger files are not profiles of this program: they read as empty and
    // are never rewritten.
    static constexpr std::uintmax_t kMaximumBytes = 1024 * 1024;

    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // The key's value as a decimal integer (blanks, an optional sign, then
    // digits; a value without digits gives 0, one out of range is clamped),
    // or the default when the file or the key is missing.
    int32_t readInt(std::wstring_view section, std::wstring_view key, int32_t fallback) const;

    // The key's value, at most maxCharacters long, or the default when the
    // file or the key is missing.
    std::wstring readString(std::wstring_view section, std::wstring_view key,
                            std::wstring_view fallback, std::size_t maxCharacters) const;

    // Stores the key's value. The file is replaced whole (a new file renamed
    // over the old one), so a failed write never leaves half a file. False
    // when the value cannot be stored or the file cannot be written.
    bool writeString(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // The whole file at once, for readers of many keys; nothing when the
    // file is missing, unreadable or too large.
    std::optional<ProfileText> read() const;

private:
    std::filesystem::path path_;
};

} // namespace zephlin
