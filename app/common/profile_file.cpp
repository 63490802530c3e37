#include "common/profile_file.h"

#include "common/profile_text.h"

#include <fstream>
#include <iterator>
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

} // namespace

std::optional<ProfileText> ProfileFile::read() const {
    std::string bytes;
    if (readBytes(path_, bytes) != FileState::Readable) {
        return std::nullopt;
    }
    return ProfileText::fromBytes(bytes);
}

int32_t ProfileFile::readInt(std::wstring_view section, std::wstring_view key,
                             int32_t fallback) const {
    const auto profile = read();
    return profile ? profile->readInt(section, key, fallback) : fallback;
}

std::wstring ProfileFile::readString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view fallback, std::size_t maxCharacters) const {
    const auto profile = read();
    return profile ? profile->readString(section, key, fallback, maxCharacters)
                   : ProfileText().readString(section, key, fallback, maxCharacters);
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
