#include "platform/codepage.h"
#include "platform/internet.h"
#include "platform/internet_curl.h"

#include <QFile>
#include <QList>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace Internet {

namespace {

// A whole second can pass in the easy interface's own wait after a reply has
// already been read; a short wait of ours between polls never lets a transfer
// stall for longer than that.
constexpr int kPollWaitMs = 1;
// How often the waiting caller gets its idle call while a transfer runs.
constexpr std::chrono::milliseconds kIdleEvery(50);

// Pages keep CR LF on disk, but in ASCII mode libcurl puts a CR before every
// LF it sends: it is handed bare LF line ends so that each one crosses the
// wire as exactly one CR LF.
QByteArray bareLineEnds(const QByteArray& text) {
    // Copied a line at a time: the pages of a first upload come to
    // megabytes, which a byte at a time took longer than sending them.
    QByteArray out(text.size(), Qt::Uninitialized);
    char* o = out.data();
    const char* s = text.constData();
    const char* const end = s + text.size();
    while (s < end) {
        const char* cr = static_cast<const char*>(std::memchr(s, '\r', size_t(end - s)));
        const char* const stop = cr ? cr : end;
        std::memcpy(o, s, size_t(stop - s));
        o += stop - s;
        s = stop;
        if (!cr) break;
        // A CR before an LF goes; a lone one stays.
        if (s + 1 < end && s[1] == '\n') ++s;
        else *o++ = *s++;
    }
    out.truncate(o - out.constData());
    return out;
}

struct Upload {
    QByteArray data;
    qsizetype sent = 0;
    static size_t onRead(char* buffer, size_t size, size_t count, void* self) {
        auto* u = static_cast<Upload*>(self);
        const size_t n = qMin(size * count, size_t(u->data.size() - u->sent));
        memcpy(buffer, u->data.constData() + u->sent, n);
        u->sent += qsizetype(n);
        return n;
    }
};

}  // namespace

struct FtpSession::Impl {
    CURL* curl = nullptr;
    CURLM* multi = nullptr;      // holds the control connection between transfers
    QByteArray lastCommand;      // the verb of the last command sent
    FtpLogin login;
    QByteArray base;             // "ftp://host:port/"
    QList<QByteArray> folders;   // percent-encoded CP932 segments below the log-on folder
    bool absolute = false;       // folders start at the server's root
    int error = 0;
    QString response;            // the last complete reply
    int replyCode = 0;           // code of the last reply received in the current call
    QByteArray partial;          // lines of a reply still coming
    std::function<void()> idle;

    void reset() {
        if (!curl) curl = Curl::library().easy_init();
        if (!multi) multi = Curl::library().multi_init();
        Curl::library().easy_reset(curl);
        replyCode = 0;
        lastCommand.clear();
        partial.clear();
        Curl::setopt(curl, CURLOPT_NOSIGNAL, 1L);
        Curl::setopt(curl, CURLOPT_USERNAME, login.user.toUtf8().constData());
        Curl::setopt(curl, CURLOPT_PASSWORD, login.password.toUtf8().constData());
        Curl::setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(login.connectTimeoutMs));
        Curl::setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(qMax(1, login.receiveTimeoutMs / 1000)));
        // A data connection that stalls as long as a reply may counts as a
        // time-out too, as WinINet's receive time-out did.
        Curl::setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        Curl::setopt(curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, login.receiveTimeoutMs / 1000)));
        Curl::setopt(curl, CURLOPT_PATH_AS_IS, 1L);
        Curl::setopt(curl, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
        if (!login.passive) Curl::setopt(curl, CURLOPT_FTPPORT, "-");
        Curl::setopt(curl, CURLOPT_VERBOSE, 1L);
        Curl::setopt(curl, CURLOPT_DEBUGFUNCTION, &Impl::onDebug);
        Curl::setopt(curl, CURLOPT_DEBUGDATA, this);
    }

    // Server replies arrive here line by line; a line "ddd text" closes a
    // reply, lines "ddd-text" and others continue it.
    static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
        auto* d = static_cast<Impl*>(self);
        if (type == CURLINFO_HEADER_OUT) {
            const QByteArray line(data, qsizetype(size));
            d->lastCommand = line.left(line.indexOf(' ')).trimmed().toUpper();
            return 0;
        }
        if (type != CURLINFO_HEADER_IN) return 0;
        const QByteArray line(data, qsizetype(size));
        d->partial += line;
        if (line.size() >= 4 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1])) &&
            std::isdigit(uchar(line[2])) && line[3] == ' ') {
            d->replyCode = line.left(3).toInt();
            QByteArray reply = d->partial;
            while (reply.endsWith('\n') || reply.endsWith('\r')) reply.chop(1);
            d->response = Codepage::toUnicode(reply);
            d->partial.clear();
        }
        return 0;
    }

    static size_t onWrite(char* data, size_t size, size_t count, void* target) {
        static_cast<QByteArray*>(target)->append(data, qsizetype(size * count));
        return size * count;
    }

    QByteArray folderUrl(const QList<QByteArray>& path, bool isAbsolute) const {
        QByteArray url = base;
        if (isAbsolute) url += "%2F";
        for (const QByteArray& f : path) url += f + '/';
        return url;
    }
    QByteArray folderUrl() const { return folderUrl(folders, absolute); }

    static QByteArray encode(const QString& name) {
        return Codepage::fromUnicode(name).toPercentEncoding();
    }
    static bool unsafe(const QString& name) {
        return name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')) || name.contains(QChar(0));
    }
    // Remote names go in CP932: one it cannot hold exactly would reach the
    // server as another name ("?" for what it lacks), perhaps over another file.
    static bool unsendable(const QString& name) { return unsafe(name) || !Codepage::holdsExactly(name); }
    // A file's name in the current folder: a path would reach another folder.
    static bool isFileName(const QString& name) {
        return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
               name != QLatin1String("..");
    }

    bool finish(CURLcode rc) {
        error = Curl::winInetError(rc, replyCode);
        // A refusal of the user name itself (an anonymous-only server, a
        // closed account) is not a wrong password: the server's reply says
        // what is wrong.
        if (error == Error::IncorrectPassword && lastCommand != "PASS" && !response.isEmpty())
            error = Error::ExtendedError;
        if (error == Error::None) return true;
        if (error != Error::ExtendedError && response.isEmpty())
            response = QString::fromUtf8(Curl::library().easy_strerror(rc));
        setLastError(error, response);
        return false;
    }
    bool fail(int code) {
        error = code;
        setLastError(error, response);
        return false;
    }

    // With an idle call the transfer runs on a thread of its own and this
    // one only waits, making the idle call now and then. Whatever the idle
    // call does for however long (a nested event loop, a modal box opened
    // from a menu) the transfer goes on and its replies are read in time, so
    // no box can make it time out. Nothing else touches the handles until
    // the thread has ended.
    CURLcode run() {
        if (!idle) return transfer();
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        CURLcode rc = CURLE_OK;
        std::thread worker([&] {
            const CURLcode result = transfer();
            std::lock_guard<std::mutex> lock(m);
            rc = result;
            done = true;
            cv.notify_one();
        });
        struct Joiner {
            std::thread& t;
            ~Joiner() { t.join(); }
        } joiner{worker};
        std::unique_lock<std::mutex> lock(m);
        while (!cv.wait_for(lock, kIdleEvery, [&] { return done; })) {
            lock.unlock();
            idle();
            lock.lock();
        }
        return rc;
    }

    CURLcode transfer() {
        if (Curl::library().multi_add_handle(multi, curl) != CURLM_OK) return CURLE_FAILED_INIT;
        CURLcode rc = CURLE_OK;
        int running = 1;
        while (running) {
            if (Curl::library().multi_perform(multi, &running) != CURLM_OK) {
                rc = CURLE_FAILED_INIT;
                break;
            }
            if (running && Curl::library().multi_poll(multi, nullptr, 0, kPollWaitMs, nullptr) != CURLM_OK) {
                rc = CURLE_FAILED_INIT;
                break;
            }
        }
        int queued = 0;
        while (CURLMsg* msg = Curl::library().multi_info_read(multi, &queued))
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == curl) rc = msg->data.result;
        Curl::library().multi_remove_handle(multi, curl);
        return rc;
    }

    bool perform() { return finish(run()); }

    // The folder path that folder leads to from the current one, checked on
    // the server: curl enters each level with CWD, so a missing one fails.
    bool resolve(const QString& folder, QList<QByteArray>& path, bool& isAbsolute) {
        if (unsendable(folder)) return fail(Error::InvalidOperation);
        path = folders;
        isAbsolute = absolute;
        if (folder.startsWith(QLatin1Char('/'))) {
            path.clear();
            isAbsolute = true;
        }
        for (const QString& part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".")) continue;
            if (part == QLatin1String("..") && !path.isEmpty() && path.last() != "..") {
                path.removeLast();
                continue;
            }
            path.append(encode(part));
        }
        reset();
        Curl::setopt(curl, CURLOPT_URL, folderUrl(path, isAbsolute).constData());
        Curl::setopt(curl, CURLOPT_NOBODY, 1L);
        return perform();
    }

    // A command sent in the current folder after curl has entered it.
    bool command(const QByteArray& text) {
        reset();
        curl_slist* list = Curl::library().slist_append(nullptr, text.constData());
        Curl::setopt(curl, CURLOPT_URL, folderUrl().constData());
        Curl::setopt(curl, CURLOPT_NOBODY, 1L);
        Curl::setopt(curl, CURLOPT_POSTQUOTE, list);
        const bool ok = perform();
        Curl::library().slist_free_all(list);
        return ok;
    }
};

FtpSession::FtpSession() : d(std::make_unique<Impl>()) {}

FtpSession::~FtpSession() { close(); }

bool FtpSession::connect(const FtpLogin& login) {
    close();
    d->login = login;
    d->folders.clear();
    d->absolute = false;
    QString host = login.host.trimmed();
    if (host.isEmpty() || host.contains(QLatin1Char('/')) || Impl::unsafe(host)) return d->fail(Error::InvalidUrl);
    if (!host.contains(QLatin1Char(':'))) host += QStringLiteral(":%1").arg(login.port);
    d->base = "ftp://" + host.toUtf8() + '/';
    d->reset();
    Curl::setopt(d->curl, CURLOPT_URL, d->base.constData());
    Curl::setopt(d->curl, CURLOPT_NOBODY, 1L);
    return d->perform();
}

bool FtpSession::findFirst(const QString& name) {
    if (Impl::unsendable(name)) return d->fail(Error::InvalidOperation);
    d->reset();
    QByteArray listing;
    const QByteArray request = "LIST " + Codepage::fromUnicode(name);
    Curl::setopt(d->curl, CURLOPT_URL, d->folderUrl().constData());
    Curl::setopt(d->curl, CURLOPT_CUSTOMREQUEST, request.constData());
    Curl::setopt(d->curl, CURLOPT_WRITEFUNCTION, &Impl::onWrite);
    Curl::setopt(d->curl, CURLOPT_WRITEDATA, &listing);
    const CURLcode rc = d->run();
    // A name the server does not know is refused with 450 or 550; an empty
    // folder lists nothing. Both are WinINet's "no more files".
    if (rc != CURLE_OK && (d->replyCode == 450 || d->replyCode == 550)) return d->fail(Error::NoMoreFiles);
    if (!d->finish(rc)) return false;
    if (listing.trimmed().isEmpty()) return d->fail(Error::NoMoreFiles);
    return true;
}

bool FtpSession::deleteFile(const QString& name) {
    if (Impl::unsendable(name) || !Impl::isFileName(name)) return d->fail(Error::InvalidOperation);
    return d->command("DELE " + Codepage::fromUnicode(name));
}

bool FtpSession::createDirectory(const QString& name) {
    if (Impl::unsendable(name)) return d->fail(Error::InvalidOperation);
    return d->command("MKD " + Codepage::fromUnicode(name));
}

bool FtpSession::removeDirectory(const QString& name) {
    if (Impl::unsendable(name)) return d->fail(Error::InvalidOperation);
    return d->command("RMD " + Codepage::fromUnicode(name));
}

bool FtpSession::setCurrentDirectory(const QString& folder) {
    QList<QByteArray> path;
    bool isAbsolute = false;
    if (!d->resolve(folder, path, isAbsolute)) return false;
    d->folders = path;
    d->absolute = isAbsolute;
    return true;
}

bool FtpSession::folderExists(const QString& folder) {
    QList<QByteArray> path;
    bool isAbsolute = false;
    return d->resolve(folder, path, isAbsolute);
}

bool FtpSession::putFile(const QString& localPath, const QString& remoteName, TransferType type) {
    if (Impl::unsendable(remoteName) || !Impl::isFileName(remoteName)) return d->fail(Error::InvalidOperation);
    QFile file(localPath);
    Upload upload;
    if (file.open(QIODevice::ReadOnly)) upload.data = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        d->response.clear();
        return d->fail(Error::FileNotFound);
    }
    if (type == TransferType::Ascii) upload.data = bareLineEnds(upload.data);
    d->reset();
    const QByteArray url = d->folderUrl() + Impl::encode(remoteName);
    Curl::setopt(d->curl, CURLOPT_URL, url.constData());
    Curl::setopt(d->curl, CURLOPT_UPLOAD, 1L);
    Curl::setopt(d->curl, CURLOPT_READFUNCTION, &Upload::onRead);
    Curl::setopt(d->curl, CURLOPT_READDATA, &upload);
    Curl::setopt(d->curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(upload.data.size()));
    Curl::setopt(d->curl, CURLOPT_TRANSFERTEXT, type == TransferType::Ascii ? 1L : 0L);
    return d->perform();
}

bool FtpSession::listNames(QStringList& names) {
    names.clear();
    d->reset();
    QByteArray listing;
    Curl::setopt(d->curl, CURLOPT_URL, d->folderUrl().constData());
    Curl::setopt(d->curl, CURLOPT_DIRLISTONLY, 1L);
    Curl::setopt(d->curl, CURLOPT_WRITEFUNCTION, &Impl::onWrite);
    Curl::setopt(d->curl, CURLOPT_WRITEDATA, &listing);
    const CURLcode rc = d->run();
    // Some servers refuse to list an empty folder.
    if (rc != CURLE_OK && (d->replyCode == 450 || d->replyCode == 550)) return true;
    if (!d->finish(rc)) return false;
    for (const QByteArray& line : listing.split('\n')) {
        QByteArray name = line.trimmed();
        // A few servers answer NLST with paths.
        name = name.mid(name.lastIndexOf('/') + 1);
        if (!name.isEmpty() && name != "." && name != "..") names << Codepage::toUnicode(name);
    }
    return true;
}

void FtpSession::close() {
    if (d->curl) {
        if (d->multi) Curl::library().multi_remove_handle(d->multi, d->curl);
        Curl::library().easy_cleanup(d->curl);
        d->curl = nullptr;
    }
    if (d->multi) {
        Curl::library().multi_cleanup(d->multi);
        d->multi = nullptr;
    }
}

int FtpSession::lastError() const { return d->error; }
QString FtpSession::lastResponse() const { return d->response; }

QString FtpSession::currentDirectory() const {
    QStringList parts;
    for (const QByteArray& f : d->folders) parts << Codepage::toUnicode(QByteArray::fromPercentEncoding(f));
    return (d->absolute ? QStringLiteral("/") : QString()) + parts.join(QLatin1Char('/'));
}

void FtpSession::setIdleCallback(std::function<void()> idle) { d->idle = std::move(idle); }

}  // namespace Internet
