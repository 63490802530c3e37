#include "shell/widgets/about_dlg.h"

#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "shell/core/ui_texts.h"
#include "shell/widgets/program_artwork.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace zephlin {
namespace {

constexpr int kVersionLineId = 1214;
constexpr int kCheckId = 1216;
constexpr int kResultLineId = 1217;
constexpr int kDownloadId = 1218;
constexpr int kShowUpdatesId = 1220;

constexpr std::wstring_view kCopyright = L"Copyright (C) veltrix";

QLabel* label(std::wstring_view text, QWidget* parent) {
    auto* line = new QLabel(toQString(text), parent);
    line->setAccessibleName(line->text());
    return line;
}

QPushButton* button(TextPair text, Language language, QWidget* parent) {
    auto* pushButton = new QPushButton(toQString(text.pick(language)), parent);
    pushButton->setAccessibleName(pushButton->text());
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

CAboutDlg::CAboutDlg(const UpdateContext& context, Language language, QWidget* parent)
    : QDialog(parent), context_(context),
      model_(*context.settings, context.versionWord, context.edition, language),
      versionFile_(new VersionFileDownload(this)) {
    const DialogUnitPlacer placer(font());
    setWindowTitle(toQString(model_.caption()));
    setFixedSize(placer.width(170), placer.height(109));
    versionFile_->setTimeLimit(context.timeLimit);

    auto* icon = placer.place(new QLabel(this), 0, {14, 14, 20, 20});
    icon->setPixmap(programIcon().pixmap(icon->size()));
    icon->setAccessibleName(toQString(texts::kProduct.pick(language)));
    placer.place(label(model_.versionLine(), this), kVersionLineId, {42, 14, 114, 8});
    placer.place(label(kCopyright, this), 0, {42, 26, 114, 8});
    resultLine_ = placer.place(new QLabel(this), kResultLineId, {14, 42, 142, 24});
    resultLine_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    resultLine_->setWordWrap(true);
    showUpdates_ =
        placer.place(new QCheckBox(toQString(texts::kShowUpdateMessage.pick(language)), this),
                     kShowUpdatesId, {24, 71, 132, 10});
    showUpdates_->setAccessibleName(showUpdates_->text());
    check_ = placer.place(button(texts::kCheck, language, this), kCheckId, {28, 88, 50, 14});
    download_ =
        placer.place(button(texts::kDownload, language, this), kDownloadId, {91, 88, 50, 14});

    connect(showUpdates_, &QCheckBox::clicked, this,
            [this](bool ticked) { model_.setUpdateTips(ticked); });
    connect(check_, &QPushButton::clicked, this, [this] { check(); });
    connect(download_, &QPushButton::clicked, this, [this] { download(); });
    render();
}

void CAboutDlg::check() {
    // One check at a time; the button comes back when the server answered
    // or the time limit ended the request.
    check_->setEnabled(false);
    versionFile_->start(context_.settings->updateServer(), context_.programFolder, model_.edition(),
                        [this](const std::optional<VersionFileContents>& contents) {
                            model_.finishCheck(contents);
                            check_->setEnabled(true);
                            render();
                        });
}

void CAboutDlg::download() {
    if (const std::optional<std::wstring> address = model_.download()) {
        openReleaseAddress(*address);
    }
    render();
}

void CAboutDlg::render() {
    resultLine_->setText(toQString(model_.resultLine()));
    resultLine_->setAccessibleName(resultLine_->text());
    showUpdates_->setChecked(model_.updateTips());
    download_->setEnabled(model_.downloadEnabled());
}

} // namespace zephlin
