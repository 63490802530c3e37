// The About dialog and the start-up check against a web server on
// 127.0.0.1 that the test runs, never the network.
#pragma once

#include "common/text_pair.h"
#include "shell/core/shell_settings.h"
#include "tests/app/shell/widgets/local_http_server.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace zephlin {

class CAboutDlg;
class CZephlin_APDlg;

class UpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theSameVersionIsTheLatest();
    void aLowerVersionIsStillAnnouncedAndDownloadOpensIt();
    void aVersionWithoutAddressGivesServerErrorOnDownload();
    void aFileAddressIsNeverOpened();
    void noServerCannotBeConnected();
    void aSilentServerEndsAtTheTimeLimit();
    void anOversizedFileIsAServerError();
    void theDialogSpeaksChinese();
    void theCheckBoxStoresUpdateTipsAtOnce();

    void updateTipsZeroAsksNothingAtStartUp();
    void theSameVersionAtStartUpShowsNoBox();
    void aNewerReleaseAtStartUpIsOffered();
    void theStartUpCheckNeverHoldsTheWindow();
    void theUpdateEntryOpensTheAboutDialog();
    void theEngineerOptionShowsTheButton();

private:
    void serveVersion(const char* version, const char* address);
    void writeSettings(int updateTips);
    std::unique_ptr<CAboutDlg> openDialog(Language language = Language::English);
    std::unique_ptr<CZephlin_APDlg> openWindow(bool engineerMode = false);
    bool versionFileLeft() const;
    QString resultLine(const CAboutDlg& dialog) const;

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testing::LocalHttpServer> server_;
    std::unique_ptr<ShellSettings> settings_;
    std::unique_ptr<testing::UrlRecorder> browser_;
    QString ownVersion_;
};

} // namespace zephlin
