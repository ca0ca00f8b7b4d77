#pragma once
// Real servers on 127.0.0.1 for network tests, started on a free port and
// stopped when the object goes out of scope.
#include <QProcess>
#include <QString>
#include <QStringList>

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
    };
    LocalFtpServer(const QString& root, const Options& options);
    explicit LocalFtpServer(const QString& root) : LocalFtpServer(root, Options()) {}
};

// Python's http.server serving a folder.
class LocalHttpServer : public LocalServer {
public:
    explicit LocalHttpServer(const QString& root);
};
