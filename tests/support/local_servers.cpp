#include "tests/support/local_servers.h"

#include <QRegularExpression>

LocalServer::~LocalServer() { stop(); }

void LocalServer::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    port_ = 0;
}

void LocalServer::start(const QStringList& arguments, const QString& marker) {
    process_.setProgram(QStringLiteral("/usr/bin/python3"));
    process_.setArguments(QStringList{QStringLiteral("-u")} + arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardErrorFile(qEnvironmentVariable("RARAV_TEST_SERVER_LOG", QProcess::nullDevice()));
    process_.start();
    if (!process_.waitForStarted(5000)) return;
    const QRegularExpression pattern(QRegularExpression::escape(marker) + QStringLiteral("\\s*(\\d+)"));
    QByteArray seen;
    while (process_.waitForReadyRead(10000)) {
        seen += process_.readAllStandardOutput();
        const auto match = pattern.match(QString::fromUtf8(seen));
        if (match.hasMatch()) {
            port_ = match.captured(1).toInt();
            return;
        }
    }
}

LocalFtpServer::LocalFtpServer(const QString& root, const Options& options) {
    QStringList args{QStringLiteral(RARAV_SOURCE_DIR "/tests/support/ftp_server.py"),
                     QStringLiteral("--root"), root,
                     QStringLiteral("--user"), options.user,
                     QStringLiteral("--password"), options.password,
                     QStringLiteral("--encoding"), options.encoding};
    if (!options.dropOn.isEmpty()) args << QStringLiteral("--drop") << options.dropOn;
    start(args, QStringLiteral("PORT"));
}

LocalHttpServer::LocalHttpServer(const QString& root) {
    start({QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("0"),
           QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), root},
          QStringLiteral("port"));
}
