#include "updater/lha_archive.h"

#include "platform/codepage.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
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
        const QString relative = QDir::cleanPath(entryPath(h));
        if (h->symlink_target || !isSafe(entryPath(h))) return UnsafeEntry;
        if (!isKnownMethod(h)) return UnknownMethod;
        // A name given twice is written twice into the work folder, where the
        // last one wins, and put in place once.
        if (seen.contains(relative)) continue;
        seen.insert(relative);
        members.append({relative, isDirectory(h), bool(LHA_FILE_HAVE_EXTRA(h, LHA_FILE_UNIX_PERMS))});
    }
    return entries > 0 ? Extracted : NotAnArchive;
}

// Decodes every entry into stage, checking its checksum.
int extractInto(const QString& archivePath, const QString& stage) {
    Reader r(archivePath);
    if (!r.reader) return CannotOpen;
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        const QString target = stage + QDir::cleanPath(entryPath(h));
        if (isDirectory(h)) {
            if (!QDir().mkpath(target)) return CannotWrite;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) return CannotWrite;
        QByteArray name = QFile::encodeName(target);
        if (!lha_reader_extract(r.reader, name.data(), nullptr, nullptr)) return BadData;
    }
    return Extracted;
}

bool renameFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool isPresent(const QFileInfo& f) { return f.exists() || f.isSymLink(); }

// The steps that put the extracted files in place, each with its undoing.
class Placement {
public:
    Placement(QString base, QString stage) : base_(std::move(base)), stage_(std::move(stage)) {}

    bool place(const Member& m) {
        const QString target = base_ + m.relative;
        if (m.folder) return makeFolders(m.relative);
        if (!makeFolders(QFileInfo(m.relative).path())) return false;
        const QString staged = stage_ + QStringLiteral("new/") + m.relative;
        const QFileInfo old(target);
        if (!isPresent(old)) {
            if (!renameFile(staged, target)) return false;
            done_.append({Step::NewFile, target, QString()});
            return true;
        }
        if (old.isDir() && !old.isSymLink()) return false;
        // An archive made on Windows carries no permissions: a replaced file
        // keeps its own, so the program stays executable.
        if (!m.ownPermissions && old.exists() && !QFile::setPermissions(staged, QFile::permissions(target)))
            return false;
        // The old file is kept under a second name before the new one is
        // renamed over it, so that the target is never missing.
        const QString saved = stage_ + QStringLiteral("old/") + m.relative;
        if (!QDir().mkpath(QFileInfo(saved).absolutePath())) return false;
        const QByteArray savedName = QFile::encodeName(saved);
        if (::link(QFile::encodeName(target).constData(), savedName.constData()) != 0 && !renameFile(target, saved))
            return false;
        done_.append({Step::Replaced, target, saved});
        return renameFile(staged, target);
    }

    // Puts back every replaced file and removes what was added, last step
    // first; false when something could not be put back.
    bool undo() {
        bool restored = true;
        for (auto it = done_.crbegin(); it != done_.crend(); ++it) {
            switch (it->kind) {
            case Step::NewFile:
                restored = QFile::remove(it->target) && restored;
                break;
            case Step::Replaced:
                restored = renameFile(it->saved, it->target) && restored;
                break;
            case Step::NewFolder:
                restored = QDir().rmdir(it->target) && restored;
                break;
            }
        }
        return restored;
    }

private:
    struct Step {
        enum Kind { NewFile, Replaced, NewFolder } kind;
        QString target;
        QString saved;
    };

    // Makes the missing folders of a relative path one by one, so that
    // undo() removes exactly those.
    bool makeFolders(const QString& relative) {
        QString path = base_;
        for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".")) continue;
            path += part;
            const QFileInfo f(path);
            if (!f.isDir()) {
                if (isPresent(f) || !QDir().mkdir(path)) return false;
                done_.append({Step::NewFolder, path, QString()});
            }
            path += QLatin1Char('/');
        }
        return true;
    }

    QString base_;
    QString stage_;
    QList<Step> done_;
};

}  // namespace

int extract(const QString& archivePath, const QString& folder, QString* keptIn) {
    if (!QFileInfo(archivePath).isFile()) return CannotOpen;
    QList<Member> members;
    if (const int read = readHeaders(archivePath, members); read != Extracted) return read;

    // Beside the folder rather than inside it: on the same file system, so
    // that renames put the files in place, and under no name an archive
    // entry could have.
    const QFileInfo program(QDir::cleanPath(folder));
    QTemporaryDir work(program.absolutePath() + QStringLiteral("/.") + program.fileName() +
                       QStringLiteral("-update-XXXXXX"));
    if (!work.isValid()) return CannotWrite;
    const QString stage = work.path() + QLatin1Char('/');
    if (const int extracted = extractInto(archivePath, stage + QStringLiteral("new/")); extracted != Extracted)
        return extracted;

    Placement placement(ProgramFolder::withSlash(folder), stage);
    for (const Member& m : members) {
        if (placement.place(m)) continue;
        if (placement.undo()) return CannotWrite;
        work.setAutoRemove(false);
        if (keptIn) *keptIn = stage + QStringLiteral("old/");
        return NotRestored;
    }
    return Extracted;
}

}  // namespace LhaArchive
