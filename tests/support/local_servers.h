#pragma once
// Real servers on 127.0.0.1 for network tests, started on a free port and
// stopped when the object goes out of scope.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class LocalServer {
public:
    LocalServer() = default;
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;
    int port() const { return port_; }
    bool running() const { return port_ > 0; }
    void stop();

protected:
    // Runs python3 with arguments and reads the port from the line of its
    // output that marks it (the text before the number).
    void start(const QStringList& arguments, const QString& marker);
    // Runs a server that prints nothing, told to listen on port, and waits
    // until it accepts connections there.
    void startListening(const QString& program, const QStringList& arguments, int port);
    // A port on 127.0.0.1 that nothing listens on at the moment.
    static int freePort();

private:
    QProcess process_;
    int port_ = 0;
};

// pyftpdlib with one user; the root folder is the user's home.
class LocalFtpServer : public LocalServer {
public:
    struct Options {
        QString user = QStringLiteral("quillby");
        QString password = QStringLiteral("secret");
        QString encoding = QStringLiteral("cp932");
        QString dropOn;  // a file name whose upload makes the server hang up
        bool ignoreCase = false;  // names match in any letter case, as on Windows
        QString slowOn;  // a file name whose upload the server answers half a second late
    };
    LocalFtpServer(const QString& root, const Options& options);
    explicit LocalFtpServer(const QString& root) : LocalFtpServer(root, Options()) {}
};

// vsftpd, which stores what it receives in ASCII mode as it arrived, so that
// uploaded bytes can be compared with the local files. It runs as the user
// who starts it, which allows anonymous log-ons only: any password will do.
class LocalVsftpdServer : public LocalServer {
public:
    struct Options {
        QString refuse;  // a file name the server refuses to store
    };
    LocalVsftpdServer(const QString& root, const Options& options);
    explicit LocalVsftpdServer(const QString& root) : LocalVsftpdServer(root, Options()) {}
    static QString user() { return QStringLiteral("anonymous"); }

private:
    QTemporaryDir config_;
};

// Python's http.server serving a folder; an address below "/status/NNN/" is
// answered with that status and a short error page.
class LocalHttpServer : public LocalServer {
public:
    explicit LocalHttpServer(const QString& root);
};
