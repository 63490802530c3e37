// The text of a Windows-style profile (INI) file with the lookup and update
// rules of the Windows profile functions: section and key names match without
// regard to case, blanks around names and values do not count, a value in
// matching quotes loses them, and an update keeps every other line as it was.
// The text comes from a file anyone may have edited: nothing in it is trusted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephlin {

class ProfileText {
public:
    ProfileText() = default;
    // Decodes the bytes of a file: UTF-8 with or without byte-order mark, or
    // UTF-16 little-endian with its byte-order mark.
    static ProfileText fromBytes(std::string_view bytes);
    // The file's bytes: UTF-8 without byte-order mark.
    std::string toBytes() const;

    // The value of a key in a section; nothing when there is no such key.
    std::optional<std::wstring> value(std::wstring_view section, std::wstring_view key) const;
    // The value as a decimal integer (blanks, an optional sign, then digits;
    // a value without digits gives 0, one out of range is clamped), or the
    // default when the key is missing.
    int32_t readInt(std::wstring_view section, std::wstring_view key, int32_t fallback) const;
    // The value, at most maxCharacters long, or the default when the key is
    // missing.
    std::wstring readString(std::wstring_view section, std::wstring_view key,
                            std::wstring_view fallback, std::size_t maxCharacters) const;

    // Sets a key's value: in place when the key exists, else at the end of
    // the section, else in a new section at the end. A section, key or value
    // with a line break, a key with '=' or a section with ']' cannot be stored
    // and is refused (false).
    bool setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);

private:
    struct Location {
        std::size_t sectionLine; // the section's header line
        std::size_t endLine;     // one past the section's last line
        std::optional<std::size_t> keyLine;
    };
    std::optional<Location> find(std::wstring_view section, std::wstring_view key) const;

    std::vector<std::wstring> lines_;
    std::wstring lineEnd_ = L"\n";
};

} // namespace zephlin
