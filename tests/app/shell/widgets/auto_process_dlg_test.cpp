// The Auto dialog: its boxes over the step flags, the box that only some
// parts show, and Run from the main window on the simulated writer.
#include "auto_process_dlg_test.h"

#include "common/widgets/control_placement.h"
#include "shell/core/control_ids.h"
#include "shell/widgets/auto_process_dlg.h"
#include "shell/widgets/main_window.h"

#include "Zephlin_DLL.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace zephlin {
namespace {

QCheckBox* box(QWidget* dialog, int id) {
    return findControl<QCheckBox>(dialog, id);
}

} // namespace

void AutoProcessDlgTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void AutoProcessDlgTest::cleanup() {
    ZephlinUseUsbWriter();
    dir_.reset();
}

void AutoProcessDlgTest::boxesShowTheFlagsInTheWindowsLanguage() {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT;
    AutoProcessModel model(flags, 1);
    CAutoProcessDlg english(
        model, Language::English, [] {}, [] { return false; });
    QCOMPARE(english.windowTitle(), QStringLiteral("Auto"));
    QCOMPARE(box(&english, ids::kAutoWholeChipErase)->text(), QStringLiteral("WholeChip Erase"));
    QCOMPARE(box(&english, ids::kAutoSaveChecksum)->text(), QStringLiteral("Save Chip Checksum"));
    QCOMPARE(findControl<QPushButton>(&english, ids::kAutoRun)->text(), QStringLiteral("Run"));
    QVERIFY(box(&english, ids::kAutoWholeChipErase)->isChecked());
    QVERIFY(!box(&english, ids::kAutoErase)->isChecked());
    QVERIFY(box(&english, ids::kAutoSaveChecksum)->isChecked());
    // The boxes stand in one column, in the order the sequence runs them.
    QVERIFY(box(&english, ids::kAutoErase)->y() > box(&english, ids::kAutoWholeChipErase)->y());
    QVERIFY(box(&english, ids::kAutoSaveChecksum)->y() >
            box(&english, ids::kAutoWriteOptions)->y());

    CAutoProcessDlg chinese(
        model, Language::Chinese, [] {}, [] { return false; });
    QCOMPARE(chinese.windowTitle(), QStringLiteral("自动"));
    QCOMPARE(box(&chinese, ids::kAutoBlankCheck)->text(), QStringLiteral("空检测"));
    QCOMPARE(box(&chinese, ids::kAutoSaveChecksum)->text(), QStringLiteral("保存芯片检验和"));
    QCOMPARE(findControl<QPushButton>(&chinese, ids::kAutoRun)->text(), QStringLiteral("执行"));
}

void AutoProcessDlgTest::saveChipChecksumShowsOnlyForPartsThatStoreIt() {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT;
    AutoProcessModel stores(flags, 1);
    CAutoProcessDlg shown(
        stores, Language::English, [] {}, [] { return false; });
    QVERIFY(!box(&shown, ids::kAutoSaveChecksum)->isHidden());
    AutoProcessModel doesNot(flags, 0);
    CAutoProcessDlg hidden(
        doesNot, Language::English, [] {}, [] { return false; });
    QVERIFY(box(&hidden, ids::kAutoSaveChecksum)->isHidden());
}

void AutoProcessDlgTest::clicksChangeTheFlagsAtOnce() {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT;
    AutoProcessModel model(flags, 1);
    bool running = false;
    CAutoProcessDlg dialog(
        model, Language::English, [] {}, [&running] { return running; });
    dialog.show();

    box(&dialog, ids::kAutoProgram)->click();
    QVERIFY(!box(&dialog, ids::kAutoSaveChecksum)->isChecked());
    QCOMPARE(flags, uint16_t{ZEPHLIN_STEP_DEFAULT &
                             ~(ZEPHLIN_STEP_PROGRAM | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM)});
    box(&dialog, ids::kAutoProgram)->click();
    QVERIFY(box(&dialog, ids::kAutoSaveChecksum)->isChecked());
    QCOMPARE(flags, uint16_t{ZEPHLIN_STEP_DEFAULT});
    box(&dialog, ids::kAutoErase)->click();
    QCOMPARE(flags, uint16_t{ZEPHLIN_STEP_DEFAULT | ZEPHLIN_STEP_ERASE});

    // While a sequence runs a click changes nothing, on screen either.
    running = true;
    box(&dialog, ids::kAutoVerify)->click();
    QVERIFY(box(&dialog, ids::kAutoVerify)->isChecked());
    QCOMPARE(flags, uint16_t{ZEPHLIN_STEP_DEFAULT | ZEPHLIN_STEP_ERASE});
}

void AutoProcessDlgTest::runRunsTheSequenceAndTheDialogStaysOpen() {
    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    QCOMPARE(ZephlinUseSimulatedWriter(&options, nullptr, 0), 1);
    MainWindowOptions windowOptions;
    windowOptions.programFolder = dir_->path().toStdWString();
    CZephlin_APDlg window(windowOptions);
    QCoreApplication::processEvents();
    auto* auto_ = findControl<QPushButton>(&window, ids::kAuto);
    QVERIFY(!auto_->isEnabled());
    findControl<QPushButton>(&window, ids::kDumpTarget)->click();
    QVERIFY(auto_->isEnabled());

    bool stayedOpen = false;
    QTimer act;
    act.setSingleShot(true);
    connect(&act, &QTimer::timeout, this, [&stayedOpen] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        box(dialog, ids::kAutoErase)->click();
        findControl<QPushButton>(dialog, ids::kAutoRun)->click();
        stayedOpen = dialog->isVisible();
        dialog->close();
    });
    act.start(0);
    auto_->click();

    QVERIFY(stayedOpen);
    const QString log = findControl<QPlainTextEdit>(&window, ids::kLog)
                            ->toPlainText()
                            .remove(QRegularExpression(QStringLiteral("   \\[[0-9.]+\"\\]")));
    QCOMPARE(log, QStringLiteral("000 - Dump Target =>Pass\n"
                                 "001 - Auto ======>Start\n"
                                 "       WholeChip Erase =>Pass\n"
                                 "       Erase =>Pass\n"
                                 "       Blank Check =>Pass\n"
                                 "       Program =>Pass\n"
                                 "       Verify =>Pass\n"
                                 "       Write Options =>Pass\n"
                                 "         Auto ======>End\n"));
    // The dialog's choice stays in the record until the part changes.
    QCOMPARE(window.workspace().record().stepFlags,
             uint16_t{ZEPHLIN_STEP_DEFAULT | ZEPHLIN_STEP_ERASE});
}

} // namespace zephlin

QTEST_MAIN(zephlin::AutoProcessDlgTest)
