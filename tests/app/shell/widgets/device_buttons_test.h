// The main window's device buttons, clicked as an operator clicks them, on
// the simulated writer.
#pragma once

#include "shell/widgets/main_window.h"

#include <QObject>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

namespace zephlin {

class DeviceButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checkIdAndWholeChipEraseWriteNumberedEntries();
    void eraseActsOnTheSelectedTab();
    void programOnTabOneStillSumsTheMainAreaAsErased();
    void dumpTargetFillsThePagesAndEnablesTheBufferButtons();
    void aFailedDumpKeepsBuffersPagesAndButtons();
    void readOptionsShowsTheNowControlsOnlyWhenItPasses();
    void readChipChecksumWritesTheChecksumLine();
    void commandsNotOfferedYetStayDisabled();
    void duringAWorkerRunNothingStartsAndACloseWaitsForItsEnd();
    void firmwareQuestionsAreAskedInTheWindow();
    void everyControlHasAnAccessibleName();
    void groupTitlesAndTabsLeaveRoomForTheirText();

private:
    std::unique_ptr<CZephlin_APDlg> openWindow(std::initializer_list<const char*> faults = {});
    QString settingsPath() const { return dir_->filePath(QStringLiteral("Setting.ini")); }

    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace zephlin
