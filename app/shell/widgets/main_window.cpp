#include "shell/widgets/main_window.h"

#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/select_area_dlg.h"
#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "engineer/widgets/engineer_dlg.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"
#include "shell/core/writer_choice.h"
#include "shell/widgets/about_dlg.h"
#include "shell/widgets/option_panel_view.h"
#include "shell/widgets/program_artwork.h"
#include "shell/widgets/startup_update_check.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QTabWidget>

namespace zephlin {
namespace {

constexpr int kMenuCommandMask = 0xFFF0;

// The buttons that need a buffer with content.
constexpr int kBufferButtons[] = {ids::kSaveBuffer, ids::kSaveKdx, ids::kProgram, ids::kVerify,
                                  ids::kAuto};

} // namespace

CZephlin_APDlg::CZephlin_APDlg(const MainWindowOptions& options, QWidget* parent)
    : QDialog(parent), settings_(ShellSettings::pathIn(options.programFolder)),
      programFolder_(options.programFolder), engineerMode_(options.engineerMode),
      updateTimeLimit_(options.updateTimeLimit) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const DialogUnitPlacer placer(font());
    buildControls(placer);
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    startUp();
}

CZephlin_APDlg::~CZephlin_APDlg() {
    // The model's observer renders into the view, which goes with the window.
    workspace_->panel().setObserver({});
    workspace_->setPartObserver({});
}

void CZephlin_APDlg::startUp() {
    setWindowIcon(programIcon());
    progress_->hide();

    GetDLLInfo(&versionWord_, &edition_);
    const PartCatalogue& catalogue = workspace_->catalogue();
    if (catalogue.count() == 0) {
        QMessageBox::warning(this, QString(), toQString(texts::kNoBodyInfo));
    }
    fillSeriesList();
    // A stored part the catalogue does not hold must not index it.
    workspace_->record().chipIndex = catalogue.validIndexOr0(settings_.lastPartNo());
    workspace_->restorePart();

    switchLanguage(languageFromFlag(settings_.language()));
    updateTips_ = settings_.updateTips();
    if (updateTips_ == 1) {
        startUpdateCheck();
    }
    settings_.readFolders(folders_);
    if (workspace_->hasPart()) {
        resetPartFields(workspace_->record(), workspace_->part());
    }
    // Engineer mode is for engineers only: its button shows with the start
    // option alone.
    findControl(this, ids::kEngineer)->setVisible(engineerMode_);
}

void CZephlin_APDlg::startUpdateCheck() {
    startStartupUpdateCheck(this,
                            {&settings_, programFolder_, versionWord_, edition_, updateTimeLimit_},
                            [this] { return workspace_->language(); });
}

void CZephlin_APDlg::openAboutDialog() {
    CAboutDlg dialog({&settings_, programFolder_, versionWord_, edition_, updateTimeLimit_},
                     workspace_->language(), this);
    dialog.exec();
    updateTips_ = dialog.model().updateTips() ? 1 : 0;
}

void CZephlin_APDlg::openEngineerWindow() {
    auto* engineer = new CEngineerDlg(*workspace_, std::filesystem::current_path(), this);
    engineer->show();
}

bool CZephlin_APDlg::secondPagePresent() const {
    return tabs_->count() > 1;
}

void CZephlin_APDlg::fillSeriesList() {
    seriesList_->clear();
    for (const int bit : workspace_->catalogue().seriesBits()) {
        seriesList_->addItem(toQString(seriesName(bit)));
    }
}

void CZephlin_APDlg::selectSeries() {
    const std::optional<int> bit =
        PartCatalogue::seriesBitOfName(seriesList_->currentText().toStdWString());
    if (!bit) {
        return;
    }
    // Only a change of series chooses its first part (and so empties the
    // buffers); choosing the series already shown keeps the part.
    if (workspace_->hasPart() && lowestSeriesBit(workspace_->part().seriesMask) == bit) {
        return;
    }
    const std::vector<int32_t> parts = workspace_->catalogue().partsOfSeries(*bit);
    if (!parts.empty()) {
        workspace_->selectPart(parts.front());
    }
}

void CZephlin_APDlg::selectPart() {
    // A name the catalogue does not hold keeps the chip index as it is.
    const std::optional<int32_t> index =
        workspace_->catalogue().indexOfPartName(partList_->currentText().toStdWString());
    workspace_->selectPart(index.value_or(workspace_->record().chipIndex));
}

void CZephlin_APDlg::showPart() {
    const ZephlinBodyInfo& part = workspace_->part();
    const PartCatalogue& catalogue = workspace_->catalogue();
    partList_->clear();
    if (const std::optional<int> bit = lowestSeriesBit(part.seriesMask)) {
        seriesList_->setCurrentIndex(seriesList_->findText(toQString(seriesName(*bit))));
        for (const int32_t index : catalogue.partsOfSeries(*bit)) {
            partList_->addItem(QString::fromWCharArray(catalogue.part(index).partName));
        }
    }
    partList_->setCurrentIndex(partList_->findText(QString::fromWCharArray(part.partName)));
    updateSecondTab();
    currentPage_ = kMainPage;
    tabs_->setCurrentIndex(kMainPage);
    for (CBufferPageDlg* page : pages_) {
        page->clearInformation();
    }
    for (const int id : kBufferButtons) {
        enableControl(id, false);
    }
    enableControl(ids::kInsertIspCode, takesIspCode(part.chipType));
    findControl(this, ids::kReadChipChecksum)->setVisible(part.checksumSaveFlag == 1);
}

void CZephlin_APDlg::updateSecondTab() {
    if (secondPagePresent()) {
        tabs_->removeTab(kSecondPage);
    }
    if (workspace_->hasPart() && workspace_->part().secondAreaSize != 0) {
        tabs_->insertTab(kSecondPage, pages_[kSecondPage], QString());
        setSecondTabText();
    }
}

void CZephlin_APDlg::setSecondTabText() {
    if (workspace_->hasPart() && secondPagePresent()) {
        tabs_->setTabText(
            kSecondPage,
            toQString(secondTabText(workspace_->part().chipType).pick(workspace_->language())));
    }
}

void CZephlin_APDlg::selectPage(int index) {
    if (index < 0) {
        return;
    }
    currentPage_ = index;
    const bool hasBytes = workspace_->buffer().length(currentPage_) != 0;
    enableControl(ids::kProgram, hasBytes);
    enableControl(ids::kVerify, hasBytes);
}

void CZephlin_APDlg::refreshPageInformation(int page) {
    pages_.at(static_cast<std::size_t>(page))
        ->showInformation(workspace_->buffer().information(page));
}

bool CZephlin_APDlg::selectLoadArea() {
    LoadRecord& load = workspace_->buffer().loadRecord(currentPage_);
    CSelectAreaDlg dialog(load.fillMode, workspace_->language(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const SelectAreaModel::Result choice = dialog.choice();
    workspace_->buffer().setLoadAddress(choice.loadAddress);
    workspace_->buffer().setClearBufferOption(choice.clearBuffer);
    load.fillMode = choice.fillMode;
    return true;
}

void CZephlin_APDlg::chooseLanguage(int menuCommand) {
    const int command = menuCommand & kMenuCommandMask;
    if (command != ids::kMenuEnglish && command != ids::kMenuChinese) {
        return;
    }
    const Language chosen = command == ids::kMenuChinese ? Language::Chinese : Language::English;
    settings_.writeLanguage(languageFlag(chosen));
    switchLanguage(chosen);
}

void CZephlin_APDlg::switchLanguage(Language language) {
    workspace_->setLanguage(language);
    englishEntry_->setChecked(language == Language::English);
    chineseEntry_->setChecked(language == Language::Chinese);
    setWindowTitle(
        toQString(windowCaption(language, versionWord_) + std::wstring(writerCaptionSuffix())));
    for (const ControlText& entry : languageSwitchTexts()) {
        setControlText(entry.id, entry.text.pick(language));
    }
    tabs_->setTabText(kMainPage, toQString(texts::kMainTab.pick(language)));
    setSecondTabText();
    optionView_->render();
}

void CZephlin_APDlg::setControlText(int id, std::wstring_view text) {
    QWidget* control = findControl(this, id);
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(toQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(toQString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(toQString(text));
    }
}

void CZephlin_APDlg::enableControl(int id, bool enabled) {
    if (QWidget* control = findControl(this, id)) {
        control->setEnabled(enabled);
    }
}

void CZephlin_APDlg::onModifyBufferClicked(bool ticked) {
    editModes_.setModifyEnabled(ticked);
    for (CBufferPageDlg* page : pages_) {
        page->setEditable(editModes_.editable());
    }
    autoReload_->setEnabled(editModes_.autoReloadBoxEnabled());
}

void CZephlin_APDlg::onAutoReloadClicked(bool ticked) {
    // Reloading a loaded page at once arrives with Load File, which owns the
    // reload form.
    editModes_.setAutoReload(ticked, workspace_->buffer().loadRecord(currentPage_).state);
    modifyBuffer_->setEnabled(editModes_.modifyBoxEnabled());
}

void CZephlin_APDlg::reject() {
    settings_.writeOnClose(workspace_->record().chipIndex, folders_);
    QDialog::reject();
}

void CZephlin_APDlg::keyPressEvent(QKeyEvent* event) {
    // Enter would end the window through its default path, without storing
    // the settings; the window ends only through its close box or Escape.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zephlin
