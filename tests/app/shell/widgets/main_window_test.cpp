// The main window driven as an operator drives it, its controls found by
// their identifiers, its settings file in a fresh folder per test.
#include "main_window_test.h"

#include "buffer/core/load_file_command.h"
#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/hex_edit_base.h"
#include "common/profile_file.h"
#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "shell/core/auto_sequence.h"
#include "shell/core/control_ids.h"
#include "shell/core/log_grammar.h"
#include "shell/core/ui_texts.h"
#include "shell/widgets/main_window.h"

#include "Zephlin_DLL.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>
#include <optional>

namespace zephlin {
namespace {

QString nameOf(const ZephlinBodyInfo& part) {
    return QString::fromWCharArray(part.partName);
}

// The first part the window lists whose record matches.
template <typename Predicate>
std::optional<int32_t> listedPart(const PartCatalogue& catalogue, Predicate matches) {
    for (const int bit : catalogue.seriesBits()) {
        for (const int32_t index : catalogue.partsOfSeries(bit)) {
            if (matches(catalogue.part(index))) {
                return index;
            }
        }
    }
    return std::nullopt;
}

} // namespace

void MainWindowTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void MainWindowTest::cleanup() {
    dir_.reset();
}

void MainWindowTest::writeSettings(const char* text) {
    std::ofstream(settingsPath().toStdString()) << text;
}

std::unique_ptr<CZephlin_APDlg> MainWindowTest::openWindow() {
    MainWindowOptions options;
    options.programFolder = dir_->path().toStdWString();
    auto window = std::make_unique<CZephlin_APDlg>(options);
    QCoreApplication::processEvents(); // the posted option notifications
    return window;
}

// Chooses a part as the user does: its series, then its name.
void MainWindowTest::pickPart(CZephlin_APDlg& window, int32_t index) {
    auto* series = findControl<QComboBox>(&window, ids::kSeriesList);
    auto* parts = findControl<QComboBox>(&window, ids::kPartList);
    const ZephlinBodyInfo& part = window.workspace().catalogue().part(index);
    series->setCurrentIndex(
        series->findText(toQString(seriesName(*lowestSeriesBit(part.seriesMask)))));
    emit series->activated(series->currentIndex());
    parts->setCurrentIndex(parts->findText(nameOf(part)));
    QVERIFY(parts->currentIndex() >= 0);
    emit parts->activated(parts->currentIndex());
    QCoreApplication::processEvents();
    QCOMPARE(window.workspace().record().chipIndex, index);
}

void MainWindowTest::startsWithoutSettingsOnPartZeroInEnglish() {
    auto window = openWindow();
    QCOMPARE(window->workspace().record().chipIndex, 0);
    const ZephlinBodyInfo& first = window->workspace().catalogue().part(0);
    QCOMPARE(findControl<QComboBox>(window.get(), ids::kPartList)->currentText(), nameOf(first));
    QCOMPARE(findControl<QComboBox>(window.get(), ids::kSeriesList)->currentText(),
             toQString(seriesName(*lowestSeriesBit(first.seriesMask))));
    QCOMPARE(window->workspace().language(), Language::English);
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("veltrix Zephlin v")));
    QCOMPARE(findControl<QPushButton>(window.get(), ids::kProgram)->text(),
             QStringLiteral("Program"));
    QCOMPARE(findControl<QLabel>(window.get(), ids::kPartNoLabel)->text(),
             QStringLiteral("PartNo : "));
    QCOMPARE(window->workspace().record().stepFlags, uint16_t{0x009F});
    QVERIFY(findControl(window.get(), ids::kEngineer)->isHidden());
    QVERIFY(findControl(window.get(), ids::kProgressBar)->isHidden());
    QVERIFY(window->workspace().record().result != nullptr);
}

void MainWindowTest::languageOneComesUpInChinese() {
    writeSettings("[Setting]\nLanguage=1\n");
    auto window = openWindow();
    QCOMPARE(window->workspace().language(), Language::Chinese);
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("veltrix Zephlin v")));
    QCOMPARE(findControl<QPushButton>(window.get(), ids::kProgram)->text(), QStringLiteral("编程"));
    QCOMPARE(findControl<QPushButton>(window.get(), ids::kLoadFile)->text(),
             QStringLiteral("打开文件"));
    QCOMPARE(findControl<QLabel>(window.get(), ids::kPartNoLabel)->text(),
             QStringLiteral("芯片型号 : "));
    QCOMPARE(findControl<QGroupBox>(window.get(), ids::kOptionGroup)->title(),
             QStringLiteral("硬件选项"));
    QCOMPARE(findControl<QLabel>(window.get(), 1811)->text(), QStringLiteral("缓冲区大小 : "));
    QCOMPARE(findControl<QCheckBox>(window.get(), ids::kAutoReload)->text(),
             QStringLiteral("自动重载"));
    auto* chinese = window->findChild<QAction*>(QString::number(ids::kMenuChinese));
    auto* english = window->findChild<QAction*>(QString::number(ids::kMenuEnglish));
    QVERIFY(chinese->isChecked());
    QVERIFY(!english->isChecked());
    QCOMPARE(chinese->text(), QStringLiteral("简体中文"));
}

void MainWindowTest::nullFoldersAreStoredEmptyOnClose() {
    writeSettings("[Setting]\nLoadFilePath=NULL\nInsertISPPath=NULL\nSaveBufferPath=NULL\n"
                  "SaveKDXPath=NULL\n");
    auto window = openWindow();
    QVERIFY(window->lastFolders().get(DialogFolder::LoadFile).empty());
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(!window->isVisible());

    const ProfileFile file(settingsPath().toStdWString());
    for (const wchar_t* key :
         {L"LoadFilePath", L"InsertISPPath", L"SaveBufferPath", L"SaveKDXPath"}) {
        QCOMPARE(file.readString(L"Setting", key, L"missing", 255), std::wstring());
    }
    QCOMPARE(file.readInt(L"Setting", L"LastPartNo", -1), 0);
}

void MainWindowTest::enterNeitherClosesNorStores() {
    auto window = openWindow();
    window->show();
    QTest::keyClick(findControl(window.get(), ids::kPartList), Qt::Key_Return);
    QTest::keyClick(window.get(), Qt::Key_Return);
    QVERIFY(window->isVisible());
    QVERIFY(!QFile::exists(settingsPath()));
}

void MainWindowTest::storedPartOutsideTheCatalogueSelectsPartZero() {
    writeSettings("[Setting]\nLastPartNo=9999\n");
    auto window = openWindow();
    QCOMPARE(window->workspace().record().chipIndex, 0);
    writeSettings("[Setting]\nLastPartNo=-3\n");
    window = openWindow();
    QCOMPARE(window->workspace().record().chipIndex, 0);
}

void MainWindowTest::secondTabFollowsThePart() {
    auto window = openWindow();
    auto* tabs = findControl<QTabWidget>(window.get(), ids::kBufferTabs);
    const auto dataFlash =
        listedPart(window->workspace().catalogue(), [](const ZephlinBodyInfo& part) {
            return part.chipType == 27 && part.secondAreaSize != 0;
        });
    const auto single =
        listedPart(window->workspace().catalogue(),
                   [](const ZephlinBodyInfo& part) { return part.secondAreaSize == 0; });
    QVERIFY(dataFlash && single);

    pickPart(*window, *dataFlash);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Flash"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Data Flash"));
    window->switchLanguage(Language::Chinese);
    QCOMPARE(tabs->tabText(1), QStringLiteral("数据存储区"));
    window->switchLanguage(Language::English);

    tabs->setCurrentIndex(1);
    QCOMPARE(window->currentPage(), 1);
    pickPart(*window, *single);
    QCOMPARE(tabs->count(), 1);
    QVERIFY(!window->secondPagePresent());
    QCOMPARE(window->currentPage(), 0);
}

void MainWindowTest::partChangeResetsBuffersNowFieldsButtonsAndSteps() {
    auto window = openWindow();
    const auto twoAreas =
        listedPart(window->workspace().catalogue(),
                   [](const ZephlinBodyInfo& part) { return part.secondAreaSize != 0; });
    QVERIFY(twoAreas);
    pickPart(*window, *twoAreas);
    const std::vector<uint8_t> bytes(32, 0x5A);
    QVERIFY(window->workspace().buffer().setArea(kMainPage, bytes));
    QVERIFY(window->workspace().buffer().setArea(kSecondPage, bytes));
    window->page(kMainPage).setFilePath(L"/tmp/a.hex");
    window->refreshPageInformation(kMainPage);
    window->refreshPageInformation(kSecondPage);
    QCOMPARE(findControl<QLineEdit>(window.get(), 1804)->text(), QStringLiteral("32"));
    window->workspace().buffer().loadRecord(kMainPage).state = LoadState::SingleFile;
    window->workspace().panel().display(window->workspace().record(), DisplayMode::Now);
    for (const int id :
         {ids::kSaveBuffer, ids::kSaveKdx, ids::kProgram, ids::kVerify, ids::kAuto}) {
        findControl(window.get(), id)->setEnabled(true);
    }
    window->workspace().record().stepFlags = ZEPHLIN_STEP_ERASE;

    pickPart(*window, 0 == *twoAreas ? 1 : 0);
    QCOMPARE(window->workspace().buffer().length(kMainPage), std::size_t{0});
    QCOMPARE(window->workspace().buffer().length(kSecondPage), std::size_t{0});
    QCOMPARE(window->workspace().buffer().loadRecord(kMainPage).state, LoadState::Empty);
    for (const int id : {1803, 1804, 1805, 1806, 1802, 1807, 1808, 1809}) {
        QVERIFY2(findControl<QLineEdit>(window.get(), id)->text().isEmpty(),
                 qPrintable(QString::number(id)));
    }
    for (int cell = 0; cell < 6; ++cell) {
        QVERIFY(findControl<QLineEdit>(window.get(), ids::kSelectNow + cell)->text().isEmpty());
    }
    for (int cell = 0; cell < 14; ++cell) {
        QVERIFY(!findControl<QCheckBox>(window.get(), ids::kCheckNow + cell)->isChecked());
    }
    for (const int id :
         {ids::kSaveBuffer, ids::kSaveKdx, ids::kProgram, ids::kVerify, ids::kAuto}) {
        QVERIFY2(!findControl(window.get(), id)->isEnabled(), qPrintable(QString::number(id)));
    }
    QCOMPARE(window->workspace().record().stepFlags, uint16_t{0x009F});
    QCOMPARE(window->workspace().buffer().loadAddress(), 0u);
}

void MainWindowTest::optionDefaultsReachTheRecordAfterPostedNotifications() {
    auto window = openWindow();
    const ZephlinBodyInfo& part = window->workspace().part();
    for (int cell = 0; cell < 6; ++cell) {
        if (std::wstring_view(part.selectCells[cell].name) == L"NA") {
            continue;
        }
        auto* list = findControl<QComboBox>(window.get(), ids::kSelectList + cell);
        QCOMPARE(list->currentIndex(), static_cast<int>(part.selectCells[cell].defaultValue));
        QCOMPARE(window->workspace().record().selectSettings[cell],
                 part.selectCells[cell].defaultValue);
    }
    for (int cell = 0; cell < 14; ++cell) {
        if (std::wstring_view(part.checkCells[cell].name) == L"NA") {
            continue;
        }
        const bool ticked = part.checkCells[cell].defaultValue != 0;
        QCOMPARE(findControl<QCheckBox>(window.get(), ids::kCheckSet + cell)->isChecked(), ticked);
        QCOMPARE(window->workspace().record().checkSettings[cell], ticked ? 1u : 0u);
        QCOMPARE(findControl(window.get(), ids::kCheckSet + cell)->toolTip(),
                 toQString(packedTextPair(part.checkCells[cell].description).english));
    }
    window->switchLanguage(Language::Chinese);
    for (int cell = 0; cell < 14; ++cell) {
        if (std::wstring_view(part.checkCells[cell].name) != L"NA") {
            QCOMPARE(findControl(window.get(), ids::kCheckLabel + cell)->toolTip(),
                     toQString(packedTextPair(part.checkCells[cell].description).chinese));
        }
    }
}

void MainWindowTest::languageMenuStoresAndSwitches() {
    auto window = openWindow();
    window->findChild<QAction*>(QString::number(ids::kMenuChinese))->trigger();
    QCOMPARE(window->workspace().language(), Language::Chinese);
    QCOMPARE(findControl<QPushButton>(window.get(), ids::kClear)->text(), QStringLiteral("清除"));
    const ProfileFile file(settingsPath().toStdWString());
    QCOMPARE(file.readInt(L"Setting", L"Language", -1), 1);
    // Nothing else is stored before the window closes.
    QCOMPARE(file.readInt(L"Setting", L"LastPartNo", -1), -1);
    window->findChild<QAction*>(QString::number(ids::kMenuEnglish))->trigger();
    QCOMPARE(file.readInt(L"Setting", L"Language", -1), 0);
    QCOMPARE(findControl<QPushButton>(window.get(), ids::kClear)->text(), QStringLiteral("Clear"));
}

void MainWindowTest::modifyBufferAndAutoReloadExcludeEachOther() {
    auto window = openWindow();
    auto* modify = findControl<QCheckBox>(window.get(), ids::kEnableModifyBuffer);
    auto* reload = findControl<QCheckBox>(window.get(), ids::kAutoReload);
    CHexEditBase* editor = window->page(kMainPage).editor();
    QVERIFY(editor->isReadOnly());
    QCOMPARE(editor->colour(CHexEditBase::ColourSlot::HexBackground), 0xC8C8C8u);

    modify->click();
    QVERIFY(!editor->isReadOnly());
    QVERIFY(!window->page(kSecondPage).editor()->isReadOnly());
    QCOMPARE(editor->colour(CHexEditBase::ColourSlot::EmptyArea), 0xFFFFFFu);
    QVERIFY(!reload->isEnabled());
    modify->click();
    QVERIFY(editor->isReadOnly());
    QVERIFY(reload->isEnabled());

    reload->click();
    QVERIFY(window->editModes().autoReload());
    QVERIFY(!modify->isEnabled());
    reload->click();
    QVERIFY(modify->isEnabled());
}

void MainWindowTest::simulatedWriterIsNamedInTheCaption() {
    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    QCOMPARE(ZephlinUseSimulatedWriter(&options, nullptr, 0), 1);
    auto window = openWindow();
    QVERIFY(window->windowTitle().endsWith(QStringLiteral(" [simulated writer]")));
    window->switchLanguage(Language::Chinese);
    QVERIFY(window->windowTitle().endsWith(QStringLiteral(" [simulated writer]")));
    ZephlinUseUsbWriter();
    window = openWindow();
    QVERIFY(!window->windowTitle().contains(QStringLiteral("simulated")));
}

void MainWindowTest::clearEmptiesTheLogAndRestartsNumbering() {
    auto window = openWindow();
    window->workspace().log().writeNumberedHeader(L"Erase");
    window->workspace().log().writeNumberedHeader(L"Erase");
    auto* log = findControl<QPlainTextEdit>(window.get(), ids::kLog);
    QVERIFY(log->isReadOnly());
    QCOMPARE(log->toPlainText(), QStringLiteral("000 - Erase =>001 - Erase =>"));
    findControl<QPushButton>(window.get(), ids::kClear)->click();
    QVERIFY(log->toPlainText().isEmpty());
    window->workspace().log().writeNumberedHeader(L"Erase");
    QCOMPARE(log->toPlainText(), QStringLiteral("000 - Erase =>"));
}

void MainWindowTest::selectAreaSetsTheCurrentPagesLoadChoice() {
    auto window = openWindow();
    window->workspace().buffer().setLoadAddress(0x40);
    window->workspace().buffer().setClearBufferOption(false);
    // Accepted unchanged after a part change: address 0, clear, no fill.
    // Each timer acts once the dialog has come up.
    QTimer accept;
    accept.setSingleShot(true);
    connect(&accept, &QTimer::timeout, this, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        QCOMPARE(findControl<QCheckBox>(dialog, 1220)->text(), QStringLiteral("Clear Buffer"));
        findControl<QCheckBox>(dialog, 1794)->click();
        findControl<QPushButton>(dialog, 1)->click();
    });
    accept.start(0);
    QVERIFY(window->selectLoadArea());
    QCOMPARE(window->workspace().buffer().loadAddress(), 0u);
    QVERIFY(window->workspace().buffer().clearBufferOption());
    QCOMPARE(window->workspace().buffer().loadRecord(kMainPage).fillMode, FillMode::Ones);

    QTimer cancel;
    cancel.setSingleShot(true);
    connect(&cancel, &QTimer::timeout, this, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        // The page's fill shows again; Cancel changes nothing.
        QVERIFY(findControl<QCheckBox>(dialog, 1794)->isChecked());
        findControl<QPushButton>(dialog, 2)->click();
    });
    cancel.start(0);
    QVERIFY(!window->selectLoadArea());
    QCOMPARE(window->workspace().buffer().loadRecord(kMainPage).fillMode, FillMode::Ones);
}

void MainWindowTest::choosingTheShownSeriesKeepsThePart() {
    auto window = openWindow();
    const PartCatalogue& catalogue = window->workspace().catalogue();
    const std::vector<int32_t> series = catalogue.partsOfSeries(catalogue.seriesBits().front());
    QVERIFY(series.size() > 1);
    pickPart(*window, series[1]);
    window->workspace().buffer().setArea(kMainPage, std::vector<uint8_t>(16, 0x5A));

    auto* list = findControl<QComboBox>(window.get(), ids::kSeriesList);
    emit list->activated(list->currentIndex());
    QCoreApplication::processEvents();

    QCOMPARE(window->workspace().record().chipIndex, series[1]);
    QCOMPARE(window->workspace().buffer().length(kMainPage), std::size_t{16});
}

// The window's workspace and zephlin run the same commands, so an Auto run
// of the same image writes the same log, times aside.
void MainWindowTest::autoRunsAsTheCommandLineToolRunsIt() {
    const QString cli = qEnvironmentVariable("ZEPHLIN_CLI");
    const QString sample = qEnvironmentVariable("ZEPHLIN_SAMPLE_HEX");
    QVERIFY2(!cli.isEmpty() && !sample.isEmpty(), "ZEPHLIN_CLI and ZEPHLIN_SAMPLE_HEX are set");
    const auto withoutTimes = [](QString log) {
        return log.remove(QLatin1Char('\r'))
            .remove(QRegularExpression(QStringLiteral("   \\[[0-9]+\\.[0-9]{3}\"\\]")));
    };

    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    QCOMPARE(ZephlinUseSimulatedWriter(&options, nullptr, 0), 1);
    auto window = openWindow();
    Workspace& workspace = window->workspace();
    QCOMPARE(loadFile(workspace, sample.toStdString(), kMainPage, {}).result, ZEPHLIN_RESULT_PASS);
    runAutoSequence(workspace);
    ZephlinUseUsbWriter();
    const QString windowLog = findControl<QPlainTextEdit>(window.get(), ids::kLog)->toPlainText();

    QProcess zephlin;
    zephlin.start(cli, {QStringLiteral("auto"), sample, QStringLiteral("--part"),
                        QStringLiteral("0"), QStringLiteral("--writer"), QStringLiteral("sim")});
    QVERIFY(zephlin.waitForFinished(60000));
    QCOMPARE(zephlin.exitCode(), 0);
    const QString consoleLog = QString::fromUtf8(zephlin.readAllStandardOutput());

    QVERIFY(windowLog.contains(QStringLiteral("Auto ======>End")));
    QCOMPARE(withoutTimes(windowLog), withoutTimes(consoleLog));
}

} // namespace zephlin

QTEST_MAIN(zephlin::MainWindowTest)
