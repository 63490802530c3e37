#include "shell/widgets/version_file_download.h"

#include "common/widgets/qt_text.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace zephlin {

bool openReleaseAddress(std::wstring_view address) {
    if (!isOpenableAddress(address)) {
        return false;
    }
    const QUrl url(toQString(address), QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           QDesktopServices::openUrl(url);
}

VersionFileDownload::VersionFileDownload(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {
    deadline_.setSingleShot(true);
    // The end of the time limit aborts the request, which then finishes as
    // a failed one; without a request it reports the failure itself.
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_ != nullptr) {
            reply_->abort();
        } else {
            finish(std::nullopt);
        }
    });
}

VersionFileDownload::~VersionFileDownload() {
    if (reply_ != nullptr) {
        // Nothing is reported from a download the window no longer waits for.
        reply_->disconnect(this);
        reply_->abort();
    }
}

void VersionFileDownload::start(std::wstring_view updateServer, std::filesystem::path programFolder,
                                int32_t edition, Finished finished) {
    if (reply_ != nullptr) {
        return;
    }
    programFolder_ = std::move(programFolder);
    edition_ = edition;
    finished_ = std::move(finished);
    received_.clear();

    const std::optional<std::string> address = versionFileAddress(updateServer);
    const QUrl url = address ? QUrl(QString::fromStdString(*address), QUrl::StrictMode) : QUrl();
    if (!url.isValid()) {
        deadline_.start(0);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = network_->get(request);
    reply_->setReadBufferSize(static_cast<qint64>(kMaximumVersionFileBytes) + 1);
    connect(reply_, &QNetworkReply::readyRead, this, &VersionFileDownload::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &VersionFileDownload::onFinished);
    deadline_.start(timeLimit_);
}

bool VersionFileDownload::takeAvailable() {
    // One byte over the limit is enough to know the file is not a version
    // file; the rest is never read.
    const qint64 room = static_cast<qint64>(kMaximumVersionFileBytes) + 1 - received_.size();
    if (room > 0) {
        received_ += reply_->read(room);
    }
    return received_.size() > static_cast<qsizetype>(kMaximumVersionFileBytes);
}

void VersionFileDownload::onReadyRead() {
    if (takeAvailable()) {
        reply_->disconnect(this);
        reply_->abort();
        endReply(true);
    }
}

void VersionFileDownload::onFinished() {
    endReply(reply_->error() == QNetworkReply::NoError);
}

void VersionFileDownload::endReply(bool delivered) {
    deadline_.stop();
    if (delivered) {
        takeAvailable();
    }
    reply_->deleteLater();
    reply_ = nullptr;
    if (!delivered) {
        finish(std::nullopt);
        return;
    }
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(received_.constData()),
                                         static_cast<std::size_t>(received_.size()));
    finish(takeVersionFile(programFolder_, bytes, edition_));
}

void VersionFileDownload::finish(const std::optional<VersionFileContents>& contents) {
    const Finished finished = std::move(finished_);
    finished_ = {};
    if (finished) {
        finished(contents);
    }
}

} // namespace zephlin
