// Setting.ini in the program folder: the last part, the language, the
// update-tips flag, the update server and the last folders of the four file
// dialogs. All keys live in section "Setting"; a missing file or key gives
// the defaults.
#pragma once

#include "common/profile_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zephlin {

// The four file dialogs whose folders the settings remember, in key order.
enum class DialogFolder { LoadFile, InsertIsp, SaveBuffer, SaveKdx };
inline constexpr std::size_t kDialogFolderCount = 4;

// The initial folders of the file dialogs; empty until a dialog or the
// settings set them.
class LastFolders {
public:
    const std::wstring& get(DialogFolder folder) const {
        return paths_[static_cast<std::size_t>(folder)];
    }
    void set(DialogFolder folder, std::wstring path) {
        paths_[static_cast<std::size_t>(folder)] = std::move(path);
    }

private:
    std::array<std::wstring, kDialogFolderCount> paths_;
};

class ShellSettings {
public:
    // Folder values are read up to this many characters.
    static constexpr std::size_t kMaximumFolderCharacters = 255;

    // The settings file of a program folder: folder + "Setting.ini".
    static std::filesystem::path pathIn(const std::filesystem::path& programFolder);

    explicit ShellSettings(std::filesystem::path iniPath) : file_(std::move(iniPath)) {}

    const std::filesystem::path& path() const { return file_.path(); }

    int32_t lastPartNo() const; // default 0
    int32_t language() const;   // default 0
    int32_t updateTips() const; // default 0
    // The update server's scheme, host and port ("http://127.0.0.1:8080"),
    // for sites with a mirror of their own; empty when not set.
    std::wstring updateServer() const;

    // Replaces each folder whose stored value is not exactly "NULL" (the
    // default of a missing key); the others keep what they hold.
    void readFolders(LastFolders& folders) const;

    // Written at once when the user picks a language or toggles the tips.
    void writeLanguage(int32_t languageFlag);
    void writeUpdateTips(int32_t flag);
    // Written when the window closes through its cancel path: the chip index
    // and the four folders as they are (an empty folder as an empty value).
    void writeOnClose(int32_t chipIndex, const LastFolders& folders);

private:
    ProfileFile file_;
};

} // namespace zephlin
