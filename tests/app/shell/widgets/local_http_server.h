// A web server on 127.0.0.1 for the update check's tests: it answers every
// request with one fixed response, or, when silent, accepts and never
// answers. It records the paths asked for, and a recorder takes the
// addresses the program hands to the system's browser.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace zephlin::testing {

class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    void answer(const QByteArray& body) {
        body_ = body;
        silent_ = false;
    }
    void neverAnswer() { silent_ = true; }

    // "http://127.0.0.1:<port>", as UpdateServer takes it.
    QString address() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
    }
    const QStringList& paths() const { return paths_; }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void serve(QTcpSocket* socket) {
        QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        paths_ << QString::fromLatin1(request.split(' ').value(1));
        if (silent_) {
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                      "Content-Length: " +
                      QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QByteArray body_;
    bool silent_ = false;
    QStringList paths_;
};

// Takes the place of the browser for the schemes it is registered for.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace zephlin::testing
