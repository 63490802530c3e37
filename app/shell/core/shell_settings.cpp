#include "shell/core/shell_settings.h"

#include "common/wide_format.h"

namespace zephlin {
namespace {

constexpr std::wstring_view kSection = L"Setting";
constexpr std::wstring_view kLastPartNo = L"LastPartNo";
constexpr std::wstring_view kLanguage = L"Language";
constexpr std::wstring_view kUpdateTips = L"UpdateTips";
constexpr std::wstring_view kUpdateServer = L"UpdateServer";
constexpr std::wstring_view kNull = L"NULL";
constexpr std::array<std::wstring_view, kDialogFolderCount> kFolderKeys{
    L"LoadFilePath", L"InsertISPPath", L"SaveBufferPath", L"SaveKDXPath"};

// "%d" of a signed value.
std::wstring signedDecimal(int32_t value) {
    if (value >= 0) {
        return decimal(static_cast<uint32_t>(value));
    }
    return L"-" + decimal(static_cast<uint64_t>(-static_cast<int64_t>(value)));
}

} // namespace

std::filesystem::path ShellSettings::pathIn(const std::filesystem::path& programFolder) {
    return programFolder / "Setting.ini";
}

int32_t ShellSettings::lastPartNo() const {
    return file_.readInt(kSection, kLastPartNo, 0);
}

int32_t ShellSettings::language() const {
    return file_.readInt(kSection, kLanguage, 0);
}

int32_t ShellSettings::updateTips() const {
    return file_.readInt(kSection, kUpdateTips, 0);
}

std::wstring ShellSettings::updateServer() const {
    return file_.readString(kSection, kUpdateServer, L"", kMaximumFolderCharacters);
}

void ShellSettings::readFolders(LastFolders& folders) const {
    for (std::size_t i = 0; i < kDialogFolderCount; ++i) {
        std::wstring value =
            file_.readString(kSection, kFolderKeys[i], kNull, kMaximumFolderCharacters);
        if (value != kNull) {
            folders.set(static_cast<DialogFolder>(i), std::move(value));
        }
    }
}

void ShellSettings::writeLanguage(int32_t languageFlag) {
    file_.writeString(kSection, kLanguage, signedDecimal(languageFlag));
}

void ShellSettings::writeUpdateTips(int32_t flag) {
    file_.writeString(kSection, kUpdateTips, signedDecimal(flag));
}

void ShellSettings::writeOnClose(int32_t chipIndex, const LastFolders& folders) {
    file_.writeString(kSection, kLastPartNo, signedDecimal(chipIndex));
    for (std::size_t i = 0; i < kDialogFolderCount; ++i) {
        file_.writeString(kSection, kFolderKeys[i], folders.get(static_cast<DialogFolder>(i)));
    }
}

} // namespace zephlin
