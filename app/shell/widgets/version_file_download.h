// Fetches the version file from the update server without blocking the
// window: the request runs on the event loop, ends after a time limit, and
// keeps at most one byte more than a version file may hold.
#pragma once

#include "shell/core/update_check.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace zephlin {

class ShellSettings;

// What both checks need from the main window.
struct UpdateContext {
    ShellSettings* settings = nullptr; // Setting.ini: UpdateTips, UpdateServer
    std::filesystem::path programFolder;
    uint32_t versionWord = 0;
    int32_t edition = 0;
    // Long enough for a slow server, short enough that an unreachable one
    // costs the user only a moment.
    std::chrono::milliseconds timeLimit{5000};
};

// Hands a release address to the system's handler (the web browser); false
// when it is not a web address, which is never opened.
bool openReleaseAddress(std::wstring_view address);

class VersionFileDownload : public QObject {
    Q_OBJECT

public:
    using Finished = std::function<void(const std::optional<VersionFileContents>&)>;

    explicit VersionFileDownload(QObject* parent = nullptr);
    ~VersionFileDownload() override;

    void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }
    bool isRunning() const { return reply_ != nullptr; }

    // Asks the server named in Setting.ini (empty: the default one) for the
    // version file; when it is over, the file is stored in the program
    // folder, read and removed (takeVersionFile), and finished gets its
    // contents, or nothing when the download failed. An address that is not
    // a server's fails at once, on the event loop like every other outcome.
    void start(std::wstring_view updateServer, std::filesystem::path programFolder, int32_t edition,
               Finished finished);

private:
    // Takes what the reply holds, up to one byte over the limit; true when
    // the file is too large.
    bool takeAvailable();
    void onReadyRead();
    void onFinished();
    // delivered: the server answered with the file (or more than a file).
    void endReply(bool delivered);
    void finish(const std::optional<VersionFileContents>& contents);

    QNetworkAccessManager* network_;
    QNetworkReply* reply_ = nullptr;
    QTimer deadline_;
    std::chrono::milliseconds timeLimit_{5000};
    QByteArray received_;
    std::filesystem::path programFolder_;
    int32_t edition_ = 0;
    Finished finished_;
};

} // namespace zephlin
