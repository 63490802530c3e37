#include "shell/core/about_model.h"

#include "shell/core/ui_texts.h"

namespace zephlin {

AboutModel::AboutModel(ShellSettings& settings, uint32_t versionWord, int32_t edition,
                       Language language)
    : settings_(settings), versionWord_(versionWord), edition_(edition), language_(language),
      updateTips_(settings.updateTips()) {}

void AboutModel::setUpdateTips(bool ticked) {
    updateTips_ = ticked ? 1 : 0;
    settings_.writeUpdateTips(updateTips_);
}

void AboutModel::finishCheck(const std::optional<VersionFileContents>& contents) {
    if (contents) {
        updateAddress_ = contents->updateAddress;
    }
    const CheckResult result = judgeCheck(contents, versionText(versionWord_));
    resultLine_ = checkResultText(result, contents ? contents->releaseVersion : L"", language_);
    if (result == CheckResult::NewVersion) {
        downloadEnabled_ = true;
    }
}

std::optional<std::wstring> AboutModel::download() {
    // An address that is not a web address (a file, a program) is as
    // unusable as a missing one.
    if (updateAddress_ == kFailMarker || !isOpenableAddress(updateAddress_)) {
        resultLine_ = exclaimed(texts::kServerError, language_);
        return std::nullopt;
    }
    return updateAddress_;
}

} // namespace zephlin
