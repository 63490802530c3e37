// The main window driven as an operator drives it.
#pragma once

#include "shell/widgets/main_window.h"
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zephlin {

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithoutSettingsOnPartZeroInEnglish();
    void languageOneComesUpInChinese();
    void nullFoldersAreStoredEmptyOnClose();
    void enterNeitherClosesNorStores();
    void storedPartOutsideTheCatalogueSelectsPartZero();
    void secondTabFollowsThePart();
    void partChangeResetsBuffersNowFieldsButtonsAndSteps();
    void optionDefaultsReachTheRecordAfterPostedNotifications();
    void languageMenuStoresAndSwitches();
    void modifyBufferAndAutoReloadExcludeEachOther();
    void simulatedWriterIsNamedInTheCaption();
    void clearEmptiesTheLogAndRestartsNumbering();
    void selectAreaSetsTheCurrentPagesLoadChoice();
    void choosingTheShownSeriesKeepsThePart();
    void autoRunsAsTheCommandLineToolRunsIt();

private:
    void writeSettings(const char* text);
    std::unique_ptr<CZephlin_APDlg> openWindow();
    void pickPart(CZephlin_APDlg& window, int32_t index);
    QString settingsPath() const { return dir_->filePath(QStringLiteral("Setting.ini")); }

    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace zephlin
