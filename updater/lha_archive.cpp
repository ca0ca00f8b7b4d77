#include "updater/lha_archive.h"

#include "platform/codepage.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <lhasa.h>
#include <memory>

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

// Archives made on Japanese Windows carry their names in CP932.
QString entryPath(const LHAFileHeader* h) {
    QByteArray raw;
    if (h->path) raw += h->path;
    if (h->filename) raw += h->filename;
    return Codepage::toUnicode(raw);
}

bool isSafe(const QString& relative) {
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/'))) return false;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return false;
    for (const QString& part : parts)
        if (part == QLatin1String("..")) return false;
    return true;
}

int checkAll(const QString& archivePath) {
    Reader r(archivePath);
    if (!r.reader) return CannotOpen;
    int entries = 0;
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        ++entries;
        if (h->symlink_target || !isSafe(entryPath(h))) return UnsafeEntry;
        if (!isDirectory(h) && !lha_reader_check(r.reader, nullptr, nullptr)) return BadData;
    }
    return entries > 0 ? Extracted : NotAnArchive;
}

}  // namespace

int extract(const QString& archivePath, const QString& folder) {
    if (!QFileInfo(archivePath).isFile()) return CannotOpen;
    if (const int checked = checkAll(archivePath); checked != Extracted) return checked;

    const QString base = ProgramFolder::withSlash(folder);
    Reader r(archivePath);
    if (!r.reader) return CannotOpen;
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        const QString target = base + entryPath(h);
        if (isDirectory(h)) {
            if (!QDir().mkpath(target)) return CannotWrite;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) return CannotWrite;
        const QString part = target + QStringLiteral(".part");
        QByteArray partName = QFile::encodeName(part);
        if (!lha_reader_extract(r.reader, partName.data(), nullptr, nullptr)) {
            QFile::remove(part);
            return BadData;
        }
        // An archive made on Windows carries no permissions: a replaced file
        // keeps its own, so the program stays executable.
        if (!LHA_FILE_HAVE_EXTRA(h, LHA_FILE_UNIX_PERMS) && QFileInfo::exists(target))
            QFile::setPermissions(part, QFile::permissions(target));
        if (std::rename(partName.constData(), QFile::encodeName(target).constData()) != 0) {
            QFile::remove(part);
            return CannotWrite;
        }
    }
    return Extracted;
}

}  // namespace LhaArchive
