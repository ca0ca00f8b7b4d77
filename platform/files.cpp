#include "platform/files.h"

#include "platform/codepage.h"
#include "platform/file_threads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace Files {

bool writeAll(int fd, const char* data, qsizetype size) {
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

namespace {

// A symbolic link is written through to its target, as QSaveFile does: the
// rename then replaces the target and the link stays. A target that does
// not exist yet is created where the link points.
QString throughLinks(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// Whether closing fd, open on a file described by st, is what frees the
// file once its one name is gone.
bool freedByClose(int fd, const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_nlink == 1 && FileThreads::freedOnLocalDisk(fd);
}

// The file that a write replaces, held open from before the rename: the
// rename then leaves the freeing of the old file to the close, which a
// background thread does.
struct Current {
    QByteArray path;  // where the new file goes: the given path or, for a link, its target
    int fd = -1;
    struct stat st;   // known while fd is open
    bool held = false;  // the rename would free it

    Current(const QString& given, bool toRead) : path(QFile::encodeName(given)) {
        open(toRead);
        if (fd >= 0 || errno != ELOOP) return;
        path = QFile::encodeName(throughLinks(given));
        open(toRead);
    }
    Current(const Current&) = delete;
    Current& operator=(const Current&) = delete;
    ~Current() { release(false); }

    bool regular() const { return fd >= 0 && S_ISREG(st.st_mode); }

    // Once its name is gone, a held file is closed (and so freed) in the
    // background; any other costs nothing to close here.
    void release(bool nameGone) {
        if (fd < 0) return;
        if (nameGone && held) FileThreads::closeLater(fd);
        else ::close(fd);
        fd = -1;
    }
    // Before the rename: a file that it would not free need not stay open.
    void releaseUnheld() {
        if (!held) release(false);
    }

private:
    // A file that cannot be read is still held, by its path alone; a FIFO
    // never blocks the open; a link is not followed here, so that one
    // pointing nowhere is seen as a link.
    void open(bool toRead) {
        fd = -1;
        if (toRead) fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && (!toRead || errno == EACCES || errno == EPERM))
            fd = ::open(path.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return;
        // A link found here is passed through, or else (one in a circle)
        // replaced itself: it need not be held.
        const bool known = ::fstat(fd, &st) == 0;
        if (known && !S_ISLNK(st.st_mode)) {
            held = freedByClose(fd, st);
            return;
        }
        const int error = known ? ELOOP : errno;
        ::close(fd);
        fd = -1;
        errno = error;
    }
};

// Whether the file already holds exactly these bytes; read a piece at a
// time, so that a page of megabytes costs no copy of itself.
bool holds(const Current& file, const QByteArray& bytes) {
    if (!file.regular() || file.st.st_size != off_t(bytes.size())) return false;
    char piece[64 * 1024];
    qsizetype done = 0;
    bool same = true;
    while (same && done < bytes.size()) {
        const ssize_t n = ::pread(file.fd, piece, size_t(qMin<qsizetype>(sizeof piece, bytes.size() - done)), done);
        if (n < 0 && errno == EINTR) continue;
        same = n > 0 && memcmp(piece, bytes.constData() + done, size_t(n)) == 0;
        done += n > 0 ? n : 0;
    }
    return same && done == bytes.size();
}

thread_local QString writeError;

// A thread's room for copying and comparing, made at its first use: arrays
// declared thread-local would be cleared at the start of every thread the
// program starts, which made each one cost several times its own start.
char* scratch(std::unique_ptr<char[]>& room, size_t size) {
    if (!room) room.reset(new char[size]);
    return room.get();
}

// Records why a write failed: errno as the failing call left it.
bool failedWith(int error) {
    writeError = QString::fromLocal8Bit(strerror(error));
    return false;
}

// Closes fd after a write that went as ok says (error telling why not): a
// close that fails fails the write too.
bool closeWritten(int fd, bool ok, int error) {
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) return failedWith(error);
    writeError.clear();
    return true;
}

// Fills a temporary file beside the target and renames it over the target,
// after a sync when asked; QSaveFile always syncs. The temporary file sits
// beside the target so that the rename is atomic, and takes the target's
// permissions (or the umask's for a new file) as QSaveFile does.
template <typename Fill>
bool replaceFile(Current& target, Sync sync, Fill fill) {
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        // The name need only be unlikely to be taken (O_EXCL has the last
        // word): the system's source costs a call, where seeding the global
        // generator at the first write of a process costs far more than the
        // write.
        temp = target.path + ".~" + QByteArray::number(QRandomGenerator::system()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return failedWith(errno);
    }
    if (fd < 0) return failedWith(EEXIST);
    errno = 0;
    // The umask mostly gives the old file's permissions already: a change
    // of mode is one more change to the new file's inode.
    struct stat made;
    const mode_t wanted = target.st.st_mode & 07777;
    bool ok = target.fd < 0 || (::fstat(fd, &made) == 0 && ((made.st_mode & 07777) == wanted || ::fchmod(fd, wanted) == 0));
    ok = ok && fill(fd);
    if (ok && sync == Sync::ToDisk) ok = ::fdatasync(fd) == 0;
    int error = ok ? 0 : (errno ? errno : EIO);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    target.releaseUnheld();
    if (ok && ::rename(temp.constData(), target.path.constData()) == 0) {
        target.release(true);
        writeError.clear();
        return true;
    }
    if (ok) error = errno;
    ::unlink(temp.constData());
    return failedWith(error);
}

// The kernel copies the bytes itself (or shares them, where the file system
// can), so that a database of many megabytes never passes through memory
// here; where it cannot, the bytes are read and written a piece at a time.
bool copyBytes(int from, int to) {
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, size_t(1) << 30, 0);
        if (n > 0) continue;
        if (n == 0) return true;
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF)
            return false;
        break;
    }
    constexpr size_t kPiece = 256 * 1024;
    static thread_local std::unique_ptr<char[]> room;
    char* piece = scratch(room, kPiece);
    for (;;) {
        const ssize_t n = ::read(from, piece, kPiece);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!writeAll(to, piece, n)) return false;
    }
}

// The rename of QSaveFile without its sync.
bool writeUnsynced(const QString& path, const QByteArray& bytes) {
    Current target(path, true);
    // Most pages of a site come out as they were: leaving those alone spares
    // a file and a rename each.
    if (holds(target, bytes)) return true;
    return replaceFile(target, Sync::None, [&bytes](int fd) { return writeAll(fd, bytes.constData(), bytes.size()); });
}

}  // namespace

bool writeAtomic(const QString& path, const QByteArray& bytes, Sync sync) {
    if (sync == Sync::None) return writeUnsynced(path, bytes);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        writeError = f.errorString();
        return false;
    }
    // commit() can report success after its own final flush failed (a full
    // disk) and rename an empty file over the old one: flush first, and
    // give up on any error so that the old file stays.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        writeError = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        writeError = f.errorString();
        return false;
    }
    writeError.clear();
    return true;
}

bool overwrite(const QString& path, const QByteArray& bytes) {
    // A FIFO never blocks the open, and a link is not written through.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        if (fd >= 0) ::close(fd);
        return writeAtomic(path, bytes, Sync::None);
    }
    // Written over and then cut to length: emptied first, the file would be
    // written back at its close (the file system's guard for a file that is
    // truncated and written again), which the disk would be waited on for.
    errno = 0;
    bool ok = writeAll(fd, bytes.constData(), bytes.size()) &&
              (st.st_size <= bytes.size() || ::ftruncate(fd, bytes.size()) == 0);
    return closeWritten(fd, ok, ok ? 0 : (errno ? errno : EIO));
}

namespace {

// A file that is not there has nothing to flush.
bool syncFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    const bool ok = ::fdatasync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool syncFolder(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

}  // namespace

bool syncFiles(const QStringList& paths) {
    QList<QByteArray> files, folders;
    for (const QString& path : paths) {
        files << QFile::encodeName(path);
        // The renames that put the files in place live in their folders.
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        if (!folders.contains(folder)) folders << folder;
    }
    // Each sync waits for the disk, which serves several at once about as
    // fast as one: the file system commits what they wait for together.
    const qsizetype fileCount = files.size();
    return FileThreads::runTogether(int(fileCount + folders.size()), [&](int i) {
        return i < fileCount ? syncFile(files[i]) : syncFolder(folders[i - fileCount]);
    });
}

namespace {

// Removes the plain files directly in folder whose names isTemporary
// accepts; only names holding ".~" past their start are offered to it.
template <typename Accept>
void removeTemporaries(const QString& folder, Accept isTemporary) {
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return;
    QStringList found;
    while (const dirent* entry = ::readdir(dir)) {
        const char* tilde = std::strstr(entry->d_name, ".~");
        if (!tilde || tilde == entry->d_name) continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (isTemporary(name)) found << name;
    }
    ::closedir(dir);
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const QString& name : found) {
        struct stat st;
        const QByteArray path = QFile::encodeName(prefix + name);
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.constData());
    }
}

// What replaceFile adds to its target's name: ".~", then a random number in
// base 36.
const QRegularExpression& temporarySuffix() {
    static const QRegularExpression suffix(QStringLiteral("^\\.~[0-9a-z]{1,7}$"));
    return suffix;
}

}  // namespace

void removeLeftoverTemporaries(const QString& folder) {
    // The names writeUnsynced gives a page or feed: the target's name, ".~",
    // then a random number in base 36.
    static const QRegularExpression temporary(QStringLiteral("\\.(htm|html|xml)\\.~[0-9a-z]{1,7}$"),
                                              QRegularExpression::CaseInsensitiveOption);
    removeTemporaries(folder, [](const QString& name) { return temporary.match(name).hasMatch(); });
}

void removeLeftoverTemporariesOf(const QString& path) {
    const QFileInfo target(throughLinks(path));
    const QString name = target.fileName();
    removeTemporaries(target.absolutePath(), [&name](const QString& found) {
        return found.size() > name.size() && found.startsWith(name) &&
               temporarySuffix().match(found.mid(name.size())).hasMatch();
    });
}

bool appendSynced(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failedWith(errno);
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    bool ok = known;
    int error = known ? 0 : EISDIR;
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), st.st_size + done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (!ok) error = n < 0 ? errno : ENOSPC;
        done += n > 0 ? n : 0;
    }
    if (ok && ::fdatasync(fd) != 0) {
        ok = false;
        error = errno;
    }
    // Whatever part of the new bytes did arrive is cut off again, so that a
    // failure leaves the file as it was.
    if (!ok && known && ::ftruncate(fd, st.st_size) == 0) ::fdatasync(fd);
    return closeWritten(fd, ok, error);
}

QString lastWriteError() { return writeError; }

QString toCrLf(const QString& text) {
    // One pass: pages run to megabytes.
    QString out;
    out.reserve(text.size() + text.size() / 16 + 16);
    const QChar* s = text.constData();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c != u'\r' && c != u'\n') continue;
        out.append(s + from, i - from);
        out.append(QLatin1String("\r\n"));
        if (c == u'\r' && i + 1 < n && s[i + 1] == QLatin1Char('\n')) ++i;
        from = i + 1;
    }
    out.append(s + from, n - from);
    return out;
}

QString toLf(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

bool writeText(const QString& path, const QString& text, bool asHtml, Sync sync) {
    return writeAtomic(path, asHtml ? Codepage::fromUnicodeCrLf(text, Codepage::Fallback::NumericReference)
                                    : Codepage::encodeFile(toCrLf(text)), sync);
}

bool writeText(const QString& path, const QString& text, bool asHtml, Sync sync, QString* reason) {
    errno = 0;
    if (writeText(path, text, asHtml, sync)) return true;
    if (reason) {
        const int error = errno;
        // The name is checked first: the system's answer to a name that is
        // too long names no file.
        const QByteArray name = QFile::encodeName(QFileInfo(path).fileName());
        const long max = ::pathconf(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), _PC_NAME_MAX);
        *reason = max > 0 && name.size() > max ? QString::fromLocal8Bit(::strerror(ENAMETOOLONG))
                  : error ? QString::fromLocal8Bit(::strerror(error))
                          : QString();
    }
    return false;
}

QString fittingName(const QString& folder, const QString& name) {
    long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (max <= 0) max = 255;
    // A rewrite writes beside the file under a longer temporary name (".~" and
    // up to seven letters, or QSaveFile's suffix): leave it room.
    const qsizetype room = qsizetype(max) - 16;
    if (name.toUtf8().size() <= room) return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QString stem = dot > 0 ? name.left(dot) : name;
    const qsizetype limit = room - extension.toUtf8().size();
    while (!stem.isEmpty() && stem.toUtf8().size() > limit) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate()) stem.chop(1);
    }
    return stem + extension;
}

bool readFile(const QString& path, QByteArray& bytes) {
    bytes.clear();
    // A FIFO never blocks the open, and is refused before any read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0;
    int error = errno;
    if (ok && !S_ISREG(st.st_mode)) {
        ok = false;
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    // One byte more than the file holds, so that one that grew meanwhile
    // is read to its end.
    qsizetype done = 0;
    if (ok) bytes.resize(qsizetype(st.st_size) + 1);
    while (ok) {
        if (done == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            error = errno;
            break;
        }
        done += n;
    }
    ::close(fd);
    bytes.truncate(ok ? done : 0);
    errno = error;
    return ok;
}

QString readText(const QString& path) {
    QByteArray bytes;
    if (!readFile(path, bytes)) return QString();
    return Codepage::decodeFile(bytes);
}

bool exists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool makeFolder(const QString& path) {
    if (path.isEmpty()) return false;
    // Most calls find the folder there (a log run asks for four a month):
    // one look spares the attempt to make every folder of the path.
    return isFolder(path) || (QDir().mkpath(path) && isFolder(path));
}

bool copyFile(const QString& from, const QString& to, Sync sync) {
    const int src = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (src < 0) return failedWith(errno);
    struct stat st;
    if (::fstat(src, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno ? errno : EISDIR;
        ::close(src);
        return failedWith(error);
    }
    Current target(to, false);
    const bool ok = replaceFile(target, sync, [src, &st](int fd) {
        if (!copyBytes(src, fd)) return false;
        // Keep the source's date, as a Windows copy does: the
        // blog-description refresh compares dates after copying.
        const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
        ::futimens(fd, times);
        return true;
    });
    ::close(src);
    return ok;
}

bool removeFile(const QString& path) {
    // Held open across the unlink, so that its freeing happens in the
    // background; a link is removed itself.
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && !(::fstat(fd, &st) == 0 && freedByClose(fd, st))) {
        ::close(fd);
        fd = -1;
    }
    const bool removed = ::unlink(name.constData()) == 0;
    const int error = errno;
    if (fd >= 0 && removed) FileThreads::closeLater(fd);
    else if (fd >= 0) ::close(fd);
    errno = error;
    return removed;
}

bool sameBytes(const QString& a, const QString& b) {
    // Every log month compares the parts files of every page: sizes first,
    // and no file object for either.
    const QByteArray pathA = QFile::encodeName(a), pathB = QFile::encodeName(b);
    struct stat sa, sb;
    if (::stat(pathA.constData(), &sa) != 0 || ::stat(pathB.constData(), &sb) != 0 || !S_ISREG(sa.st_mode) ||
        !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size)
        return false;
    const int fa = ::open(pathA.constData(), O_RDONLY | O_CLOEXEC);
    const int fb = fa < 0 ? -1 : ::open(pathB.constData(), O_RDONLY | O_CLOEXEC);
    bool same = fa >= 0 && fb >= 0;
    constexpr size_t kPiece = 64 * 1024;
    static thread_local std::unique_ptr<char[]> roomA, roomB;
    char* pieceA = same ? scratch(roomA, kPiece) : nullptr;
    char* pieceB = same ? scratch(roomB, kPiece) : nullptr;
    for (off_t done = 0; same && done < sa.st_size;) {
        const ssize_t n = ::read(fa, pieceA, kPiece);
        if (n < 0 && errno == EINTR) continue;
        qsizetype got = 0;
        while (n > 0 && got < n) {
            const ssize_t m = ::read(fb, pieceB + got, size_t(n - got));
            if (m < 0 && errno == EINTR) continue;
            if (m <= 0) break;
            got += m;
        }
        same = n > 0 && got == n && memcmp(pieceA, pieceB, size_t(n)) == 0;
        done += n > 0 ? n : 0;
    }
    if (fa >= 0) ::close(fa);
    if (fb >= 0) ::close(fb);
    return same;
}

QStringList listFiles(const QString& folder, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (re.match(name).hasMatch()) names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

}  // namespace Files
