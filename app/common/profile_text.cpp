#include "common/profile_text.h"

#include "support/utf8.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zephlin {
namespace {

constexpr std::wstring_view kBlanks = L" \t";

std::wstring_view trimmed(std::wstring_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

wchar_t foldCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}

// The section name of a header line "[name]"; nothing for other lines.
std::optional<std::wstring_view> sectionName(std::wstring_view line) {
    const std::wstring_view text = trimmed(line);
    if (text.empty() || text.front() != L'[') {
        return std::nullopt;
    }
    const std::wstring_view inner = text.substr(1);
    return trimmed(inner.substr(0, inner.find(L']')));
}

struct KeyLine {
    std::wstring_view key;
    std::wstring_view value;
};

// A line "key=value"; comments and lines without '=' are not keys.
std::optional<KeyLine> keyLine(std::wstring_view line) {
    const std::wstring_view text = trimmed(line);
    if (text.empty() || text.front() == L';') {
        return std::nullopt;
    }
    const auto equals = text.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

std::wstring_view withoutQuotes(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool hasLineBreak(std::wstring_view text) {
    return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

std::wstring decodeUtf16LittleEndian(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = static_cast<unsigned char>(bytes[i]) |
                        (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low =
                static_cast<unsigned char>(bytes[i + 2]) |
                (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 3])) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            unit = 0xFFFD;
        }
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

int32_t decimalValue(std::wstring_view text) {
    std::size_t i = text.find_first_not_of(L" \t");
    if (i == std::wstring_view::npos) {
        return 0;
    }
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') {
        negative = text[i] == L'-';
        ++i;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<int32_t>(-value);
    }
    return static_cast<int32_t>(std::min<int64_t>(value, kLimit - 1));
}

} // namespace

ProfileText ProfileText::fromBytes(std::string_view bytes) {
    std::wstring text;
    if (bytes.starts_with("\xFF\xFE")) {
        text = decodeUtf16LittleEndian(bytes.substr(2));
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        text = utf8::toWide(bytes);
    }

    ProfileText profile;
    std::wstring_view rest = text;
    bool lineEndKnown = false;
    while (!rest.empty()) {
        const auto end = rest.find_first_of(L"\r\n");
        profile.lines_.emplace_back(rest.substr(0, end));
        if (end == std::wstring_view::npos) {
            break;
        }
        std::size_t breakLength = 1;
        if (rest[end] == L'\r' && end + 1 < rest.size() && rest[end + 1] == L'\n') {
            breakLength = 2;
        }
        if (!lineEndKnown) {
            profile.lineEnd_ = std::wstring(rest.substr(end, breakLength));
            lineEndKnown = true;
        }
        rest.remove_prefix(end + breakLength);
    }
    return profile;
}

std::string ProfileText::toBytes() const {
    std::wstring text;
    for (const std::wstring& line : lines_) {
        text += line;
        text += lineEnd_;
    }
    return utf8::fromWide(text);
}

std::optional<ProfileText::Location> ProfileText::find(std::wstring_view section,
                                                       std::wstring_view key) const {
    std::optional<Location> first;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !sameName(*name, section)) {
            continue;
        }
        Location location{i, i + 1, std::nullopt};
        while (location.endLine < lines_.size() && !sectionName(lines_[location.endLine])) {
            const auto entry = keyLine(lines_[location.endLine]);
            if (!location.keyLine && entry && sameName(entry->key, key)) {
                location.keyLine = location.endLine;
            }
            ++location.endLine;
        }
        if (location.keyLine) {
            return location;
        }
        if (!first) {
            first = location;
        }
        i = location.endLine - 1;
    }
    return first;
}

std::optional<std::wstring> ProfileText::value(std::wstring_view section,
                                               std::wstring_view key) const {
    const auto location = find(section, key);
    if (!location || !location->keyLine) {
        return std::nullopt;
    }
    return std::wstring(withoutQuotes(keyLine(lines_[*location->keyLine])->value));
}

bool ProfileText::setValue(std::wstring_view section, std::wstring_view key,
                           std::wstring_view value) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
        key.find(L'=') != std::wstring_view::npos ||
        section.find(L']') != std::wstring_view::npos || trimmed(key).empty()) {
        return false;
    }
    std::wstring line(key);
    line += L'=';
    line += value;

    const auto location = find(section, key);
    if (location && location->keyLine) {
        lines_[*location->keyLine] = std::move(line);
        return true;
    }
    if (location) {
        // After the section's last non-blank line, so that blank lines that
        // separate it from the next section stay where they are.
        std::size_t at = location->endLine;
        while (at > location->sectionLine + 1 && trimmed(lines_[at - 1]).empty()) {
            --at;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        return true;
    }
    std::wstring header = L"[";
    header += section;
    header += L']';
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(line));
    return true;
}

int32_t ProfileText::readInt(std::wstring_view section, std::wstring_view key,
                             int32_t fallback) const {
    const auto text = value(section, key);
    return text ? decimalValue(*text) : fallback;
}

std::wstring ProfileText::readString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view fallback, std::size_t maxCharacters) const {
    std::wstring result = value(section, key).value_or(std::wstring(fallback));
    if (result.size() > maxCharacters) {
        result.resize(maxCharacters);
    }
    return result;
}

} // namespace zephlin
