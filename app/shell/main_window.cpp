#include "main_window.h"

#include "buffer_page.h"
#include "control_ids.h"
#include "control_placement.h"
#include "option_panel_view.h"
#include "program_artwork.h"
#include "qt_text.h"
#include "select_area_dlg.h"
#include "ui_texts.h"
#include "writer_choice.h"

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
    : QDialog(parent), settings_(ShellSettings::pathIn(options.programFolder)) {
    record_.chipIndex = -1;
    record_.result = resultWord_.get();
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
    optionModel_->setObserver({});
}

void CZephlin_APDlg::startUp() {
    setWindowIcon(programIcon());
    progress_->hide();

    int32_t edition = 0;
    GetDLLInfo(&versionWord_, &edition);
    const ZephlinBodyInfo* records = nullptr;
    const int32_t count = GetBodyInfo(&records);
    catalogue_ = PartCatalogue(records, count);
    if (catalogue_.count() == 0) {
        QMessageBox::warning(this, QString(), toQString(texts::kNoBodyInfo));
    }
    // A stored part the catalogue does not hold must not index it.
    record_.chipIndex = catalogue_.validIndexOr0(settings_.lastPartNo());
    fillSeriesList();
    restorePart();

    switchLanguage(languageFromFlag(settings_.language()));
    updateTips_ = settings_.updateTips();
    settings_.readFolders(folders_);
    if (const ZephlinBodyInfo* part = selectedPart()) {
        resetPartFields(record_, *part);
    }
    findControl(this, ids::kEngineer)->hide();
}

const ZephlinBodyInfo* CZephlin_APDlg::selectedPart() const {
    return catalogue_.contains(record_.chipIndex) ? &catalogue_.part(record_.chipIndex) : nullptr;
}

bool CZephlin_APDlg::secondPagePresent() const {
    return tabs_->count() > 1;
}

std::optional<uint16_t> CZephlin_APDlg::runCommand(Command& command) {
    return runner_->run(command);
}

bool CZephlin_APDlg::commandRunning() const {
    return runner_->isBusy();
}

void CZephlin_APDlg::fillSeriesList() {
    seriesList_->clear();
    for (const int bit : catalogue_.seriesBits()) {
        seriesList_->addItem(toQString(seriesName(bit)));
    }
}

void CZephlin_APDlg::restorePart() {
    const ZephlinBodyInfo* part = selectedPart();
    if (part == nullptr) {
        return;
    }
    // Selecting the part resets the record's per-part fields; a restored part
    // (from a project) keeps what the record held.
    const auto kept = std::make_unique<ZephlinContext>(record_);
    if (const std::optional<int> bit = lowestSeriesBit(part->seriesMask)) {
        seriesList_->setCurrentIndex(seriesList_->findText(toQString(seriesName(*bit))));
        selectSeries();
    }
    partList_->setCurrentIndex(partList_->findText(QString::fromWCharArray(part->partName)));
    selectPart();
    record_ = *kept;
}

void CZephlin_APDlg::selectSeries() {
    partList_->clear();
    const std::optional<int> bit =
        PartCatalogue::seriesBitOfName(seriesList_->currentText().toStdWString());
    if (!bit) {
        return;
    }
    for (const int32_t index : catalogue_.partsOfSeries(*bit)) {
        partList_->addItem(QString::fromWCharArray(catalogue_.part(index).partName));
    }
    partList_->setCurrentIndex(0);
    selectPart();
}

void CZephlin_APDlg::selectPart() {
    if (const std::optional<int32_t> index =
            catalogue_.indexOfPartName(partList_->currentText().toStdWString())) {
        record_.chipIndex = *index;
    }
    const ZephlinBodyInfo* part = selectedPart();
    if (part == nullptr) {
        return;
    }
    optionModel_->rebuild(*part);
    updateSecondTab();
    codeBuffer_->resetForPart(part->mainAreaSize, part->secondAreaSize);
    currentPage_ = kMainPage;
    tabs_->setCurrentIndex(kMainPage);
    resetPartFields(record_, *part);
    optionModel_->clearNow();
    for (CBufferPageDlg* page : pages_) {
        page->clearInformation();
    }
    for (const int id : kBufferButtons) {
        enableControl(id, false);
    }
    enableControl(ids::kInsertIspCode, takesIspCode(part->chipType));
    findControl(this, ids::kReadChipChecksum)->setVisible(part->checksumSaveFlag == 1);
}

void CZephlin_APDlg::updateSecondTab() {
    const ZephlinBodyInfo* part = selectedPart();
    if (secondPagePresent()) {
        tabs_->removeTab(kSecondPage);
    }
    if (part != nullptr && part->secondAreaSize != 0) {
        tabs_->insertTab(kSecondPage, pages_[kSecondPage], QString());
        setSecondTabText();
    }
}

void CZephlin_APDlg::setSecondTabText() {
    if (const ZephlinBodyInfo* part = selectedPart(); part != nullptr && secondPagePresent()) {
        tabs_->setTabText(kSecondPage, toQString(secondTabText(part->chipType).pick(language_)));
    }
}

void CZephlin_APDlg::selectPage(int index) {
    if (index < 0) {
        return;
    }
    currentPage_ = index;
    const bool hasBytes = codeBuffer_->length(currentPage_) != 0;
    enableControl(ids::kProgram, hasBytes);
    enableControl(ids::kVerify, hasBytes);
}

void CZephlin_APDlg::refreshPageInformation(int page) {
    pages_.at(static_cast<std::size_t>(page))->showInformation(codeBuffer_->information(page));
}

bool CZephlin_APDlg::selectLoadArea() {
    LoadRecord& load = codeBuffer_->loadRecord(currentPage_);
    CSelectAreaDlg dialog(load.fillMode, language_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const SelectAreaModel::Result choice = dialog.choice();
    codeBuffer_->setLoadAddress(choice.loadAddress);
    codeBuffer_->setClearBufferOption(choice.clearBuffer);
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
    language_ = language;
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
    editModes_.setAutoReload(ticked, codeBuffer_->loadRecord(currentPage_).state);
    modifyBuffer_->setEnabled(editModes_.modifyBoxEnabled());
}

void CZephlin_APDlg::reject() {
    settings_.writeOnClose(record_.chipIndex, folders_);
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
