#pragma once
// A small HTTP server on 127.0.0.1 inside the test process: it serves fixed
// pages and records every request, so that a test can check what a page sent.
// It runs on the test's event loop, which the browser's waits keep turning.
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <memory>

class LocalWebServer {
public:
    struct Request {
        QByteArray method;
        QByteArray path;  // with its query
        QByteArray body;
    };

    LocalWebServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                    buffer->append(socket->readAll());
                    serve(socket, *buffer);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    // Serves body at path (without query); contentType "" sends no
    // Content-Type charset, as old servers did.
    void page(const QByteArray& path, const QByteArray& body,
              const QByteArray& contentType = "text/html; charset=utf-8") {
        pages_.insert(path, {body, contentType});
    }
    // A path that is never answered: its page keeps loading.
    void hold(const QByteArray& path) { held_.insert(path); }

    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    bool requested(const QByteArray& path) const {
        for (const Request& r : requests)
            if (r.path == path || r.path.startsWith(path + '?')) return true;
        return false;
    }

    QList<Request> requests;

private:
    struct Page {
        QByteArray body;
        QByteArray contentType;
    };

    void serve(QTcpSocket* socket, QByteArray& data) {
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> lines = data.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        qsizetype length = 0;
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
        if (data.size() < end + 4 + length) return;
        Request request{first.value(0), first.value(1), data.mid(end + 4, length)};
        data.clear();
        requests.append(request);
        const QByteArray path = request.path.split('?').value(0);
        if (held_.contains(path)) return;
        const auto it = pages_.constFind(path);
        QByteArray response;
        if (it == pages_.constEnd()) {
            response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        } else {
            response = "HTTP/1.1 200 OK\r\n";
            if (!it->contentType.isEmpty()) response += "Content-Type: " + it->contentType + "\r\n";
            response += "Content-Length: " + QByteArray::number(it->body.size()) + "\r\nConnection: close\r\n\r\n" +
                        it->body;
        }
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QByteArray, Page> pages_;
    QSet<QByteArray> held_;
};
