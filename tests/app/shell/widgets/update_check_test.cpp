// The About dialog's Check and Download and the start-up check, each against
// a web server on 127.0.0.1 that the test starts, with Setting.ini and the
// downloaded version file in a fresh program folder per test.
#include "update_check_test.h"

#include "common/widgets/control_placement.h"
#include "engineer/widgets/engineer_dlg.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"
#include "shell/widgets/about_dlg.h"
#include "shell/widgets/main_window.h"

#include "Zephlin_DLL.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace zephlin {
namespace {

constexpr int kCheckId = 1216;
constexpr int kResultLineId = 1217;
constexpr int kDownloadId = 1218;
constexpr int kShowUpdatesId = 1220;
constexpr std::chrono::milliseconds kShortLimit{400};

// Lets the event loop run for a while: long enough for a request to the
// local server to arrive if one was made.
void settle(int milliseconds = 300) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

} // namespace

void UpdateCheckTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    server_ = std::make_unique<testing::LocalHttpServer>();
    settings_ = std::make_unique<ShellSettings>(ShellSettings::pathIn(dir_->path().toStdString()));
    browser_ = std::make_unique<testing::UrlRecorder>();
    for (const char* scheme : {"http", "https", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), browser_.get(), "open");
    }
    uint32_t versionWord = 0;
    int32_t edition = 0;
    GetDLLInfo(&versionWord, &edition);
    ownVersion_ = QString::fromStdWString(versionText(versionWord));
}

void UpdateCheckTest::cleanup() {
    for (const char* scheme : {"http", "https", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    browser_.reset();
    settings_.reset();
    server_.reset();
    dir_.reset();
}

void UpdateCheckTest::serveVersion(const char* version, const char* address) {
    QByteArray body = "[Zephlin]\r\n";
    if (version != nullptr) {
        body += QByteArray("Universal_Version=") + version + "\r\n";
    }
    if (address != nullptr) {
        body += QByteArray("Universal_URL=") + address + "\r\n";
    }
    server_->answer(body);
}

void UpdateCheckTest::writeSettings(int updateTips) {
    std::ofstream(settings_->path())
        << "[Setting]\nUpdateTips=" << updateTips
        << "\nUpdateServer=" << server_->address().toStdString() << "\n";
}

std::unique_ptr<CAboutDlg> UpdateCheckTest::openDialog(Language language) {
    writeSettings(0);
    uint32_t versionWord = 0;
    int32_t edition = 0;
    GetDLLInfo(&versionWord, &edition);
    UpdateContext context{settings_.get(), dir_->path().toStdString(), versionWord, edition,
                          kShortLimit};
    auto dialog = std::make_unique<CAboutDlg>(context, language);
    dialog->show();
    return dialog;
}

std::unique_ptr<CZephlin_APDlg> UpdateCheckTest::openWindow(bool engineerMode) {
    MainWindowOptions options;
    options.programFolder = dir_->path().toStdString();
    options.engineerMode = engineerMode;
    options.updateTimeLimit = kShortLimit;
    return std::make_unique<CZephlin_APDlg>(options);
}

bool UpdateCheckTest::versionFileLeft() const {
    return QFile::exists(dir_->filePath(QStringLiteral("tools_version.ini")));
}

QString UpdateCheckTest::resultLine(const CAboutDlg& dialog) const {
    return findControl<QLabel>(&dialog, kResultLineId)->text();
}

void UpdateCheckTest::theSameVersionIsTheLatest() {
    serveVersion(ownVersion_.toLatin1().constData(), "https://example.com/r");
    auto dialog = openDialog();
    QVERIFY(!findControl(dialog.get(), kDownloadId)->isEnabled());
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_COMPARE(resultLine(*dialog), QStringLiteral("Already the latest version !"));
    QCOMPARE(server_->paths(),
             QStringList{QStringLiteral("/files/Download/Tools/tools_version.ini")});
    QVERIFY(!findControl(dialog.get(), kDownloadId)->isEnabled());
    QVERIFY(!versionFileLeft());
}

void UpdateCheckTest::aLowerVersionIsStillAnnouncedAndDownloadOpensIt() {
    serveVersion("0.0.0.1", "https://example.com/zephlin.zip");
    auto dialog = openDialog();
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_COMPARE(resultLine(*dialog),
                 QStringLiteral("Have new version(v0.0.0.1)\n Please click Download to update"));
    QVERIFY(!versionFileLeft());
    auto* download = findControl<QPushButton>(dialog.get(), kDownloadId);
    QVERIFY(download->isEnabled());
    QTest::mouseClick(download, Qt::LeftButton);
    QCOMPARE(browser_->opened,
             QList<QUrl>{QUrl(QStringLiteral("https://example.com/zephlin.zip"))});
}

void UpdateCheckTest::aVersionWithoutAddressGivesServerErrorOnDownload() {
    serveVersion("9.9.9.9", nullptr);
    auto dialog = openDialog();
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_VERIFY(resultLine(*dialog).startsWith(QStringLiteral("Have new version(v9.9.9.9)")));
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kDownloadId), Qt::LeftButton);
    QCOMPARE(resultLine(*dialog), QStringLiteral("Server information error !"));
    QVERIFY(browser_->opened.isEmpty());
}

void UpdateCheckTest::aFileAddressIsNeverOpened() {
    serveVersion("9.9.9.9", "file:///usr/bin/xterm");
    auto dialog = openDialog();
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_VERIFY(findControl(dialog.get(), kDownloadId)->isEnabled());
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kDownloadId), Qt::LeftButton);
    QCOMPARE(resultLine(*dialog), QStringLiteral("Server information error !"));
    QVERIFY(browser_->opened.isEmpty());
}

void UpdateCheckTest::noServerCannotBeConnected() {
    auto dialog = openDialog();
    server_.reset(); // nothing listens on its port any more
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_COMPARE(resultLine(*dialog), QStringLiteral("Can't connect server !"));
    QVERIFY(findControl(dialog.get(), kCheckId)->isEnabled());
    QVERIFY(!versionFileLeft());
}

void UpdateCheckTest::aSilentServerEndsAtTheTimeLimit() {
    server_->neverAnswer();
    auto dialog = openDialog();
    auto* check = findControl<QPushButton>(dialog.get(), kCheckId);
    QTest::mouseClick(check, Qt::LeftButton);
    // One check at a time while the server is asked.
    QVERIFY(!check->isEnabled());
    QTRY_COMPARE(resultLine(*dialog), QStringLiteral("Can't connect server !"));
    QCOMPARE(server_->paths().size(), 1);
    QVERIFY(check->isEnabled());
}

void UpdateCheckTest::anOversizedFileIsAServerError() {
    QByteArray body = "[Zephlin]\r\nUniversal_Version=9.9.9.9\r\nUniversal_URL=https://e/r\r\n";
    body += QByteArray(70 * 1024, ';');
    server_->answer(body);
    auto dialog = openDialog();
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_COMPARE(resultLine(*dialog), QStringLiteral("Server information error !"));
    QVERIFY(!findControl(dialog.get(), kDownloadId)->isEnabled());
    QVERIFY(!versionFileLeft());
}

void UpdateCheckTest::theDialogSpeaksChinese() {
    serveVersion(ownVersion_.toLatin1().constData(), "https://example.com/r");
    auto dialog = openDialog(Language::Chinese);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Update Zephlin"));
    QCOMPARE(findControl<QLabel>(dialog.get(), 1214)->text(),
             QStringLiteral("Zephlin v") + ownVersion_);
    QCOMPARE(findControl<QCheckBox>(dialog.get(), kShowUpdatesId)->text(),
             QStringLiteral("开启时提示更新"));
    QCOMPARE(findControl<QPushButton>(dialog.get(), kCheckId)->text(), QStringLiteral("检测"));
    QCOMPARE(findControl<QPushButton>(dialog.get(), kDownloadId)->text(), QStringLiteral("下载"));
    QTest::mouseClick(findControl<QPushButton>(dialog.get(), kCheckId), Qt::LeftButton);
    QTRY_COMPARE(resultLine(*dialog), QStringLiteral("已经是最新版本 !"));
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (control->property(kControlIdProperty).isValid()) {
            QVERIFY2(!control->accessibleName().isEmpty() || control->objectName() == "1217",
                     qPrintable(control->objectName()));
        }
    }
    QCOMPARE(findControl(dialog.get(), kResultLineId)->accessibleName(),
             QStringLiteral("已经是最新版本 !"));
}

void UpdateCheckTest::theCheckBoxStoresUpdateTipsAtOnce() {
    auto dialog = openDialog();
    auto* box = findControl<QCheckBox>(dialog.get(), kShowUpdatesId);
    QVERIFY(!box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(settings_->updateTips(), 1);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(settings_->updateTips(), 0);
}

void UpdateCheckTest::updateTipsZeroAsksNothingAtStartUp() {
    serveVersion("0.0.0.1", "https://example.com/r");
    writeSettings(0);
    auto window = openWindow();
    settle();
    QVERIFY(server_->paths().isEmpty());
}

void UpdateCheckTest::theSameVersionAtStartUpShowsNoBox() {
    serveVersion(ownVersion_.toLatin1().constData(), "https://example.com/r");
    writeSettings(1);
    auto window = openWindow();
    QTRY_COMPARE(server_->paths().size(), 1);
    settle();
    QVERIFY(window->findChild<QMessageBox*>() == nullptr);
    QVERIFY(!versionFileLeft());
}

void UpdateCheckTest::aNewerReleaseAtStartUpIsOffered() {
    serveVersion("0.0.0.1", "https://example.com/zephlin.zip");
    writeSettings(1);
    auto window = openWindow();
    QTRY_VERIFY(window->findChild<QMessageBox*>() != nullptr);
    auto* box = window->findChild<QMessageBox*>();
    QCOMPARE(box->text(),
             QStringLiteral("Have new version(v0.0.0.1)\n Please click Download to update"));
    QVERIFY(!versionFileLeft());
    box->button(QMessageBox::Yes)->click();
    QCOMPARE(browser_->opened,
             QList<QUrl>{QUrl(QStringLiteral("https://example.com/zephlin.zip"))});
}

void UpdateCheckTest::theStartUpCheckNeverHoldsTheWindow() {
    server_->neverAnswer();
    writeSettings(1);
    auto window = openWindow();
    // The window is up before the server has even been asked.
    QVERIFY(server_->paths().isEmpty());
    auto* clear = findControl<QPushButton>(window.get(), ids::kClear);
    window->workspace().log().append(L"line");
    QTRY_COMPARE(server_->paths().size(), 1);
    // While the server keeps silent the window goes on working.
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(window->workspace().log().sequenceNumber(), 0u);
    settle(static_cast<int>(kShortLimit.count()) + 300);
    QVERIFY(window->findChild<QMessageBox*>() == nullptr);
}

void UpdateCheckTest::theUpdateEntryOpensTheAboutDialog() {
    writeSettings(1);
    server_->neverAnswer();
    auto window = openWindow();
    auto* entry = window->findChild<QAction*>(QString::number(ids::kMenuUpdate));
    QVERIFY(entry != nullptr);
    QVERIFY(entry->isEnabled());
    QString caption;
    bool ticked = false;
    QTimer close;
    close.setSingleShot(true);
    connect(&close, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            caption = dialog->windowTitle();
            ticked = findControl<QCheckBox>(dialog, kShowUpdatesId)->isChecked();
            dialog->reject();
        }
    });
    close.start(0);
    entry->trigger();
    QCOMPARE(caption, QStringLiteral("Update Zephlin"));
    QVERIFY(ticked);
}

void UpdateCheckTest::theEngineerOptionShowsTheButton() {
    writeSettings(0);
    QVERIFY(findControl(openWindow().get(), ids::kEngineer)->isHidden());

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
    std::ofstream(dir_->filePath(QStringLiteral("Engineer.ini")).toStdString())
        << "[Main]\nSheetCount=1\n[Sheet0]\nName=OR\n";
    auto window = openWindow(true);
    auto* engineer = findControl<QPushButton>(window.get(), ids::kEngineer);
    QVERIFY(!engineer->isHidden());
    QTest::mouseClick(engineer, Qt::LeftButton);
    QTest::mouseClick(engineer, Qt::LeftButton);
    const QList<CEngineerDlg*> opened = window->findChildren<CEngineerDlg*>();
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.front()->tabs()->count(), 1);
    QVERIFY(QDir::setCurrent(previous));
}

} // namespace zephlin

QTEST_MAIN(zephlin::UpdateCheckTest)
