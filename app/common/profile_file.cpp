#include "common/profile_file.h"

#include "common/profile_text.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace zephlin {
namespace {

enum class FileState { Missing, Readable, Unusable };

// Reads the whole file; Missing when it does not exist, Unusable when it
// cannot be read or is too large to be a profile.
FileState readBytes(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return FileState::Missing;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return FileState::Unusable;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > ProfileFile::kMaximumBytes) {
        return FileState::Unusable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileState::Unusable;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > ProfileFile::kMaximumBytes) {
        return FileState::Unusable;
    }
    return FileState::Readable;
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

std::optional<ProfileText> ProfileFile::load() const {
    std::string bytes;
    if (readBytes(path_, bytes) != FileState::Readable) {
        return std::nullopt;
    }
    return ProfileText::fromBytes(bytes);
}

int32_t ProfileFile::readInt(std::wstring_view section, std::wstring_view key,
                             int32_t fallback) const {
    const auto profile = load();
    const auto text = profile ? profile->value(section, key) : std::nullopt;
    return text ? decimalValue(*text) : fallback;
}

std::wstring ProfileFile::readString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view fallback, std::size_t maxCharacters) const {
    const auto profile = load();
    auto text = profile ? profile->value(section, key) : std::nullopt;
    std::wstring result = text ? std::move(*text) : std::wstring(fallback);
    if (result.size() > maxCharacters) {
        result.resize(maxCharacters);
    }
    return result;
}

bool ProfileFile::writeString(std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) {
    std::string bytes;
    ProfileText profile;
    switch (readBytes(path_, bytes)) {
    case FileState::Unusable:
        return false;
    case FileState::Readable:
        profile = ProfileText::fromBytes(bytes);
        break;
    case FileState::Missing:
        break;
    }
    if (!profile.setValue(section, key, value)) {
        return false;
    }

    std::filesystem::path temporary = path_;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = profile.toBytes();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace zephlin
