#include "updater/lha_archive.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "core/update_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>
#include <lhasa.h>
#include <unistd.h>

namespace LhaArchive {
namespace {

struct Reader {
    LHAInputStream* stream = nullptr;
    LHAReader* reader = nullptr;
    explicit Reader(const QString& path) {
        QByteArray name = QFile::encodeName(path);
        stream = lha_input_stream_from(name.data());
        if (!stream) return;
        reader = lha_reader_new(stream);
        if (reader) lha_reader_set_dir_policy(reader, LHA_READER_DIR_PLAIN);
    }
    ~Reader() {
        if (reader) lha_reader_free(reader);
        if (stream) lha_input_stream_free(stream);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
};

bool isDirectory(const LHAFileHeader* h) { return qstrcmp(h->compress_method, LHA_COMPRESS_TYPE_DIR) == 0; }

// What LHA archivers write by default. The library's decoders of the older
// and rarer methods are less tried (its -pm2- decoder reads past a buffer on
// a crafted archive), and an update never needs them.
bool isKnownMethod(const LHAFileHeader* h) {
    for (const char* method : {"-lh0-", "-lh5-", "-lh6-", "-lh7-", LHA_COMPRESS_TYPE_DIR})
        if (qstrcmp(h->compress_method, method) == 0) return true;
    return false;
}

// The name in a level-0 or level-1 base header, as stored; empty when the
// header holds none.
QByteArray baseHeaderName(const LHAFileHeader* h) {
    constexpr size_t kLengthAt = 21;
    if (h->header_level > 1 || !h->raw_data || h->raw_data_len <= kLengthAt) return {};
    const size_t length = h->raw_data[kLengthAt];
    if (kLengthAt + 1 + length > h->raw_data_len) return {};
    return QByteArray(reinterpret_cast<const char*>(h->raw_data) + kLengthAt + 1, qsizetype(length));
}

// Archives made on Japanese Windows carry their names in CP932. The library
// splits a base header's name at every 0x5C byte, which is also the second
// byte of many double-byte characters ("表" is 95 5C): such a name is decoded
// first and only then split at its backslashes.
QString entryPath(const LHAFileHeader* h) {
    QByteArray raw;
    if (h->path) raw += h->path;
    if (h->filename) raw += h->filename;
    const QByteArray base = baseHeaderName(h);
    if (base.isEmpty()) return Codepage::toUnicode(raw);
    QString name = Codepage::toUnicode(base);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A level-1 header may keep its folder in an extended header: the
    // library's path is that folder unless it came from splitting the name.
    QByteArray fromSplit = base.left(base.lastIndexOf('\\') + 1);
    fromSplit.replace('\\', '/');
    const QByteArray path = h->path ? QByteArray(h->path) : QByteArray();
    if (h->header_level == 1 && !path.isEmpty() && path != fromSplit && !name.contains(QLatin1Char('/')))
        name.prepend(Codepage::toUnicode(path));
    return name;
}

bool isSafe(const QString& relative) {
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/'))) return false;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return false;
    for (const QString& part : parts)
        if (part == QLatin1String("..")) return false;
    return true;
}

struct Member {
    QString relative;
    bool folder = false;
    bool ownPermissions = false;  // the archive carries Unix permissions
};

// Reads the headers only: the data of every entry is skipped, not decoded.
int readHeaders(const QString& archivePath, QList<Member>& members) {
    Reader r(archivePath);
    if (!r.reader) return CannotOpen;
    int entries = 0;
    QSet<QString> seen;
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        ++entries;
        const QString path = entryPath(h);
        const QString relative = QDir::cleanPath(path);
        if (h->symlink_target || !isSafe(path)) return UnsafeEntry;
        if (!isKnownMethod(h)) return UnknownMethod;
        // A name given twice is written twice into the work folder, where the
        // last one wins, and put in place once.
        if (seen.contains(relative)) continue;
        seen.insert(relative);
        members.append({relative, isDirectory(h), bool(LHA_FILE_HAVE_EXTRA(h, LHA_FILE_UNIX_PERMS))});
    }
    return entries > 0 ? Extracted : NotAnArchive;
}

QString systemReason(const QString& path, int error) {
    return QStringLiteral("「%1」を書き込めませんでした。(%2)").arg(path, QString::fromLocal8Bit(strerror(error)));
}

// The modes of the program's own files: an added program must run, and no
// other file is left readable by its owner alone.
mode_t addedMode(const LHAFileHeader* h, const QByteArray& head) {
    bool program = head.startsWith("\x7f" "ELF") || head.startsWith("#!");
    if (LHA_FILE_HAVE_EXTRA(h, LHA_FILE_UNIX_PERMS)) program = (h->unix_perms & 0111) != 0;
    return program ? 0755 : 0644;
}

// The LHA checksum: CRC-16 with the reflected polynomial 0xA001.
quint16 crc16(quint16 crc, const uchar* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

// Decodes the current entry into target through writes of our own, every one
// checked: a full disk fails here, never later at a close nobody looks at.
// The length and checksum of what was written must be those of the header.
int decodeEntry(LHAReader* reader, const LHAFileHeader* h, const QString& target, Report& report) {
    const QByteArray name = QFile::encodeName(target);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        report.reason = systemReason(target, errno);
        return CannotWrite;
    }
    std::vector<uchar> buffer(64 * 1024);
    QByteArray head;
    quint16 crc = 0;
    size_t length = 0;
    int result = Extracted;
    for (;;) {
        const size_t n = lha_reader_read(reader, buffer.data(), buffer.size());
        if (n == 0) break;
        if (head.size() < 4) head += QByteArray(reinterpret_cast<const char*>(buffer.data()), qsizetype(qMin<size_t>(n, 4)));
        crc = crc16(crc, buffer.data(), n);
        length += n;
        if (!Files::writeAll(fd, reinterpret_cast<const char*>(buffer.data()), qsizetype(n))) {
            report.reason = systemReason(target, errno);
            result = CannotWrite;
            break;
        }
    }
    if (result == Extracted && (length != h->length || crc != h->crc)) {
        report.reason = QStringLiteral("「%1」のデータが壊れています。").arg(entryPath(h));
        result = BadData;
    }
    if (result == Extracted && ::fchmod(fd, addedMode(h, head)) != 0) {
        report.reason = systemReason(target, errno);
        result = CannotWrite;
    }
    if (result == Extracted && h->timestamp != 0) {
        const timespec times[2] = {{time_t(h->timestamp), 0}, {time_t(h->timestamp), 0}};
        ::futimens(fd, times);
    }
    if (::close(fd) != 0 && result == Extracted) {
        report.reason = systemReason(target, errno);
        result = CannotWrite;
    }
    return result;
}

// Decodes every entry into stage, then waits for the disk, whose delayed
// writes can still fail for lack of room.
int extractInto(const QString& archivePath, const QString& stage, Report& report) {
    Reader r(archivePath);
    if (!r.reader) return CannotOpen;
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        // The archive is read a second time here: a file changed since its
        // headers were checked still writes nothing outside the stage.
        const QString path = entryPath(h);
        if (!isSafe(path)) return UnsafeEntry;
        const QString target = stage + QDir::cleanPath(path);
        const QString folder = isDirectory(h) ? target : QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder)) {
            report.reason = QStringLiteral("フォルダ「%1」を作成できませんでした。").arg(folder);
            return CannotWrite;
        }
        if (isDirectory(h)) continue;
        // A name given twice: the last one wins, as it would in place.
        QFile::remove(target);
        if (const int decoded = decodeEntry(r.reader, h, target, report); decoded != Extracted) return decoded;
    }
    const int fd = ::open(QFile::encodeName(stage).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::syncfs(fd) == 0;
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (!synced) {
        report.reason = systemReason(stage, error);
        return CannotWrite;
    }
    return Extracted;
}

void (*stepHook)(int) = nullptr;

bool renameFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool isPresent(const QFileInfo& f) { return f.exists() || f.isSymLink(); }

// The steps that put the extracted files in place, each recorded in the
// journal before it is taken.
class Placement {
public:
    Placement(QString base, QString work, UpdateJournal::Writer& journal)
        : base_(std::move(base)), work_(std::move(work)), journal_(journal) {}

    bool place(const Member& m) {
        const QString target = base_ + m.relative;
        if (m.folder) return makeFolders(m.relative);
        if (!makeFolders(QFileInfo(m.relative).path())) return false;
        const QString staged = UpdateJournal::stagedPath(work_, m.relative);
        const QFileInfo old(target);
        if (!isPresent(old)) {
            if (!journal_.newFile(m.relative) || !renameFile(staged, target)) return fail(target);
            return stepped();
        }
        if (old.isDir() && !old.isSymLink()) {
            report_ = QStringLiteral("「%1」はフォルダです。").arg(target);
            return false;
        }
        // An archive made on Windows carries no permissions: a replaced file
        // keeps its own, so the program stays executable.
        if (!m.ownPermissions && old.exists() && !QFile::setPermissions(staged, QFile::permissions(target)))
            return fail(staged);
        // The old file is kept under a second name before the new one is
        // renamed over it, so that the target is never missing.
        const QString saved = UpdateJournal::savedPath(work_, m.relative);
        if (!QDir().mkpath(QFileInfo(saved).absolutePath())) return fail(saved);
        if (!journal_.replaced(m.relative)) return fail(work_);
        const QByteArray savedName = QFile::encodeName(saved);
        if (::link(QFile::encodeName(target).constData(), savedName.constData()) != 0 && !renameFile(target, saved))
            return fail(target);
        if (!renameFile(staged, target)) return fail(target);
        return stepped();
    }

    const QString& reason() const { return report_; }
    int steps() const { return steps_; }

private:
    bool stepped() {
        ++steps_;
        if (stepHook) stepHook(steps_);
        return true;
    }

    bool fail(const QString& path) {
        report_ = systemReason(path, errno);
        return false;
    }

    // Makes the missing folders of a relative path one by one, so that an
    // undo removes exactly those.
    bool makeFolders(const QString& relative) {
        QString path = base_;
        QString done;
        for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".")) continue;
            path += part;
            done += part;
            const QFileInfo f(path);
            if (!f.isDir()) {
                if (isPresent(f)) {
                    report_ = QStringLiteral("「%1」はファイルです。").arg(path);
                    return false;
                }
                if (!journal_.newFolder(done) || ::mkdir(QFile::encodeName(path).constData(), 0755) != 0 ||
                    ::chmod(QFile::encodeName(path).constData(), 0755) != 0)
                    return fail(path);
                stepped();
            }
            path += QLatin1Char('/');
            done += QLatin1Char('/');
        }
        return true;
    }

    QString base_;
    QString work_;
    UpdateJournal::Writer& journal_;
    QString report_;
    int steps_ = 0;
};

}  // namespace

int extract(const QString& archivePath, const QString& folder, Report* report) {
    Report ignored;
    Report& out = report ? *report : ignored;
    if (!QFileInfo(archivePath).isFile()) return CannotOpen;
    QList<Member> members;
    if (const int read = readHeaders(archivePath, members); read != Extracted) return read;

    QTemporaryDir work(UpdateJournal::workFolderTemplate(folder));
    if (!work.isValid()) {
        out.reason = QStringLiteral("作業フォルダを作成できませんでした。(%1)").arg(work.errorString());
        return CannotWrite;
    }
    const QString stage = work.path() + QLatin1Char('/');
    if (const int extracted = extractInto(archivePath, UpdateJournal::stagedPath(stage, QString()), out);
        extracted != Extracted)
        return extracted;

    const QString base = ProgramFolder::withSlash(folder);
    UpdateJournal::Writer journal;
    if (!journal.open(stage)) {
        out.reason = systemReason(stage, errno);
        return CannotWrite;
    }
    Placement placement(base, stage, journal);
    bool placed = true;
    for (const Member& m : members) {
        if (!placement.place(m)) {
            placed = false;
            break;
        }
    }
    if (placed && journal.commit()) {
        if (stepHook) stepHook(placement.steps() + 1);
        return Extracted;
    }
    out.reason = placed ? systemReason(stage, errno) : placement.reason();
    if (UpdateJournal::undo(stage, base)) return CannotWrite;
    // The journal stays with the old files, so that the next start tries again.
    work.setAutoRemove(false);
    out.keptIn = UpdateJournal::savedPath(stage, QString());
    return NotRestored;
}

void setStepHook(void (*hook)(int)) { stepHook = hook; }

}  // namespace LhaArchive
