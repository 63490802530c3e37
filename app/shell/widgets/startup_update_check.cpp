#include "shell/widgets/startup_update_check.h"

#include "common/widgets/qt_text.h"
#include "shell/core/shell_settings.h"
#include "shell/core/ui_texts.h"

#include <QMessageBox>
#include <QWidget>

namespace zephlin {

void startStartupUpdateCheck(QWidget* window, const UpdateContext& context,
                             std::function<Language()> language) {
    auto* versionFile = new VersionFileDownload(window);
    versionFile->setTimeLimit(context.timeLimit);
    const std::wstring own = versionText(context.versionWord);
    versionFile->start(
        context.settings->updateServer(), context.programFolder, context.edition,
        [window, versionFile, own,
         language = std::move(language)](const std::optional<VersionFileContents>& contents) {
            versionFile->deleteLater();
            const std::optional<std::wstring> offer = startupOffer(contents, own, language());
            if (!offer) {
                return;
            }
            auto* box =
                new QMessageBox(QMessageBox::Question, toQString(texts::kProduct.pick(language())),
                                toQString(*offer), QMessageBox::Yes | QMessageBox::No, window);
            box->setAttribute(Qt::WA_DeleteOnClose);
            const std::wstring address = contents->updateAddress;
            QObject::connect(box, &QMessageBox::finished, box, [address](int answer) {
                if (answer == QMessageBox::Yes) {
                    openReleaseAddress(address);
                }
            });
            box->open();
        });
}

} // namespace zephlin
