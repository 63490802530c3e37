// The update and About dialog's state: the result line of the last check,
// whether Download is offered, the release address the check read, and the
// "Show update message when start" flag, which is stored at once.
#pragma once

#include "common/text_pair.h"
#include "shell/core/shell_settings.h"
#include "shell/core/update_check.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zephlin {

class AboutModel {
public:
    // Opening the dialog: the flag as Setting.ini holds it, no address yet.
    AboutModel(ShellSettings& settings, uint32_t versionWord, int32_t edition, Language language);

    std::wstring caption() const { return aboutCaption(language_); }
    std::wstring versionLine() const { return aboutVersionLine(language_, versionWord_); }
    const std::wstring& resultLine() const { return resultLine_; }
    bool downloadEnabled() const { return downloadEnabled_; }
    bool updateTips() const { return updateTips_ == 1; }
    Language language() const { return language_; }
    int32_t edition() const { return edition_; }

    // The check box: the flag written to Setting.ini at once.
    void setUpdateTips(bool ticked);
    // The end of Check: the downloaded file's contents, or nothing when the
    // download failed.
    void finishCheck(const std::optional<VersionFileContents>& contents);
    // Download: the address to open, or nothing when the check read none
    // that may be opened (the result line then says so).
    std::optional<std::wstring> download();

private:
    ShellSettings& settings_;
    uint32_t versionWord_;
    int32_t edition_;
    Language language_;
    int32_t updateTips_;
    std::wstring updateAddress_;
    std::wstring resultLine_;
    bool downloadEnabled_ = false;
};

} // namespace zephlin
