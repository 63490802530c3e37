// The Engineer window driven as an engineer drives it, over the sample
// Engineer.ini or one of the test's own in a fresh folder.
#pragma once

#include "tests/support/test_workspace.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace zephlin {

class CEngineerDlg;

class EngineerDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sheetCountGivesTheTabsAndEverySheetExists();
    void typedValueTicksTheRegisterBitsAndWriteLogsPass();
    void aBoxRebuildsTheWriteValue();
    void anUnnamedBitHasADisabledBox();
    void readStoresTheFileShowsErasedBytesAndMarksThem();
    void syncCopiesTheReadValues();
    void aNameWithAPathWritesOnlyInsideTheFolder();
    void theBlockSheetWritesOnlyAfterARead();
    void theByteSheetShowsTheDutIdAfterARead();
    void aWheelNotchScrollsOneLine();
    void noIniGivesNoTabsAndEmptySheets();
    void everyControlHasAnAccessibleName();

private:
    void writeIni(const char* text);
    std::unique_ptr<CEngineerDlg> openWindow();

    std::unique_ptr<QTemporaryDir> root_;
    QString folder_;
    std::unique_ptr<testing::TestWorkspace> workspace_;
};

} // namespace zephlin
