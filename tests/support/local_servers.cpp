#include "tests/support/local_servers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

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

int LocalServer::freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

void LocalServer::startListening(const QString& program, const QStringList& arguments, int port) {
    if (port <= 0) return;
    process_.setProgram(program);
    process_.setArguments(arguments);
    process_.setStandardOutputFile(qEnvironmentVariable("RARAV_TEST_SERVER_LOG", QProcess::nullDevice()));
    process_.setStandardErrorFile(qEnvironmentVariable("RARAV_TEST_SERVER_LOG", QProcess::nullDevice()));
    process_.start();
    if (!process_.waitForStarted(5000)) return;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(port));
        if (probe.waitForConnected(200)) {
            port_ = port;
            return;
        }
        QThread::msleep(20);
    }
}

LocalVsftpdServer::LocalVsftpdServer(const QString& root, const Options& options) {
    const int port = freePort();
    QStringList lines{
        "listen=YES", "listen_ipv6=NO", "listen_address=127.0.0.1", QStringLiteral("listen_port=%1").arg(port),
        "background=NO", "run_as_launching_user=YES", "seccomp_sandbox=NO",
        "anonymous_enable=YES", "local_enable=NO", "no_anon_password=YES", "anon_root=" + root,
        "write_enable=YES", "anon_upload_enable=YES", "anon_mkdir_write_enable=YES", "anon_other_write_enable=YES",
        "anon_umask=022", "ascii_upload_enable=NO", "ascii_download_enable=NO",
        "pasv_enable=YES", "pasv_address=127.0.0.1", "port_enable=YES",
        "xferlog_enable=NO", "dirmessage_enable=NO", "max_per_ip=0", "max_clients=0"};
    if (!options.refuse.isEmpty()) lines << "deny_file={" + options.refuse + "}";
    const QString file = config_.filePath(QStringLiteral("vsftpd.conf"));
    QFile config(file);
    if (!config.open(QIODevice::WriteOnly) || config.write((lines.join('\n') + '\n').toUtf8()) < 0) return;
    config.close();
    startListening(QStringLiteral("/usr/sbin/vsftpd"), {file}, port);
}

LocalFtpServer::LocalFtpServer(const QString& root, const Options& options) {
    QStringList args{QStringLiteral(RARAV_SOURCE_DIR "/tests/support/ftp_server.py"),
                     QStringLiteral("--root"), root,
                     QStringLiteral("--user"), options.user,
                     QStringLiteral("--password"), options.password,
                     QStringLiteral("--encoding"), options.encoding};
    if (!options.dropOn.isEmpty()) args << QStringLiteral("--drop") << options.dropOn;
    if (options.ignoreCase) args << QStringLiteral("--ignore-case");
    if (!options.slowOn.isEmpty()) args << QStringLiteral("--slow") << options.slowOn;
    start(args, QStringLiteral("PORT"));
}

LocalHttpServer::LocalHttpServer(const QString& root) {
    start({QStringLiteral(RARAV_SOURCE_DIR "/tests/support/http_server.py"), QStringLiteral("--root"), root},
          QStringLiteral("PORT"));
}
