#pragma once
// FTP sessions and HTTP downloads over libcurl. Failures carry the WinINet
// error numbers that the program's error texts are keyed on, together with
// the server's last reply, so that callers written against WinINet report the
// same way.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

namespace Internet {

// The WinINet numbers that this layer reports.
namespace Error {
constexpr int None = 0;
constexpr int FileNotFound = 2;        // a local file that cannot be read
constexpr int NoMoreFiles = 18;        // a listing that found nothing
constexpr int Timeout = 12002;
constexpr int ExtendedError = 12003;   // the server refused: see lastResponse()
constexpr int InternalError = 12004;
constexpr int InvalidUrl = 12005;
constexpr int UnrecognizedScheme = 12006;
constexpr int NameNotResolved = 12007;
constexpr int IncorrectPassword = 12014;
constexpr int InvalidOperation = 12016;
constexpr int CannotConnect = 12029;
constexpr int ConnectionAborted = 12030;
constexpr int ConnectionReset = 12031;
constexpr int FtpDropped = 12111;
}  // namespace Error

// The last failure of any call of this layer on the calling thread, as
// WinINet kept it for GetLastError and InternetGetLastResponseInfo.
int lastError();
QString lastResponse();
void setLastError(int code, const QString& response = QString());

struct FtpLogin {
    QString host;  // as the user typed it; may carry ":port"
    int port = 21;
    QString user;
    QString password;
    bool passive = true;
    int connectTimeoutMs = 15000;
    int receiveTimeoutMs = 30000;
};

enum class TransferType { Ascii = 1, Binary = 2 };

// What an FTP upload asks of a connection. Every call returns success; a
// failure leaves its number in lastError() (and the thread's last error).
class FtpConnection {
public:
    virtual ~FtpConnection() = default;
    // Connects and logs on.
    virtual bool connect(const FtpLogin& login) = 0;
    // True when a listing of name in the current folder yields an entry;
    // otherwise lastError() is NoMoreFiles for an empty listing or a name the
    // server does not know, or the failure's number.
    virtual bool findFirst(const QString& name) = 0;
    // The names in the current folder, in one listing.
    virtual bool listNames(QStringList& names) = 0;
    // name is a file's name in the current folder, never a path.
    virtual bool deleteFile(const QString& name) = 0;
    virtual bool createDirectory(const QString& name) = 0;
    virtual bool removeDirectory(const QString& name) = 0;
    // A relative folder (several levels with "/"), an absolute one, or "..".
    virtual bool setCurrentDirectory(const QString& folder) = 0;
    // Whether the folder can be entered, without leaving the current one.
    virtual bool folderExists(const QString& folder) = 0;
    // In ASCII mode each line end of the file (CR LF or LF) crosses the wire
    // as one CR LF.
    virtual bool putFile(const QString& localPath, const QString& remoteName, TransferType type) = 0;
    virtual void close() = 0;
    virtual int lastError() const = 0;
    virtual QString lastResponse() const = 0;
};

// The libcurl implementation: one control connection kept open for the
// whole session, remote names sent in CP932 as the servers of the program's
// users have always received them.
class FtpSession : public FtpConnection {
public:
    FtpSession();
    ~FtpSession() override;
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    bool connect(const FtpLogin& login) override;
    bool findFirst(const QString& name) override;
    bool listNames(QStringList& names) override;
    bool deleteFile(const QString& name) override;
    bool createDirectory(const QString& name) override;
    bool removeDirectory(const QString& name) override;
    bool setCurrentDirectory(const QString& folder) override;
    bool folderExists(const QString& folder) override;
    bool putFile(const QString& localPath, const QString& remoteName, TransferType type) override;
    void close() override;
    int lastError() const override;
    QString lastResponse() const override;

    // The folder the session is in, relative to the log-on folder ("" there).
    QString currentDirectory() const;
    // Called on the calling thread every few tens of milliseconds while a
    // transfer runs on a thread of its own (the caller lets windows repaint).
    void setIdleCallback(std::function<void()> idle);

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// One HTTP GET, read in blocks. onBlock receives each block of at most
// blockSize bytes (the last may be shorter) and returns false to stop;
// progress receives the bytes so far and the announced total (-1 unknown).
struct HttpGetOptions {
    int blockSize = 1024;
    int connectTimeoutMs = 15000;
    int receiveTimeoutMs = 30000;
    QString agent = QStringLiteral("Quillby");
    // Called once when the headers of the final reply arrived (not those of a
    // redirection that is followed), with its status: the moment the address
    // counts as opened.
    std::function<void(int status)> opened;
    // Set from any thread to end the transfer (it then fails as stopped);
    // checked even while no data arrives.
    const std::atomic_bool* cancelled = nullptr;
};
struct HttpResult {
    bool ok = false;        // the transfer completed (any status, as WinINet)
    int error = 0;          // WinINet number when !ok
    int status = 0;         // HTTP status code
    qint64 received = 0;
};
HttpResult httpGet(const QString& url, const std::function<bool(const QByteArray& block)>& onBlock,
                   const std::function<void(qint64 received, qint64 total)>& progress = {},
                   const HttpGetOptions& options = {});

}  // namespace Internet
