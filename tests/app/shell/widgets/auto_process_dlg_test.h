// The Auto dialog on its own and opened from the main window.
#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace zephlin {

class AutoProcessDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void boxesShowTheFlagsInTheWindowsLanguage();
    void saveChipChecksumShowsOnlyForPartsThatStoreIt();
    void clicksChangeTheFlagsAtOnce();
    void runRunsTheSequenceAndTheDialogStaysOpen();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace zephlin
