#pragma once
// File helpers: atomic rewrites, CP932 text files, and listings whose name
// patterns ignore letter case as the Windows file system did.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Files {

// Whether a write waits for the disk: generated pages, which can be written
// again from the database at any time, skip the sync of their own.
enum class Sync { ToDisk, None };

// Writes through a temporary file renamed over the target; false when any
// step failed (the old file is then untouched).
bool writeAtomic(const QString& path, const QByteArray& bytes, Sync sync = Sync::ToDisk);
// Waits until the files, and their names in their folders, are on the disk:
// pages written with Sync::None become durable before a list that names
// them. Only these files are flushed, not the rest of the file system; a
// missing one is passed over. False on failure.
bool syncFiles(const QStringList& paths);
// Removes the temporary files that a Sync::None write killed half-way left
// in folder ("name.~" and a few letters); other files are not touched.
void removeLeftoverTemporaries(const QString& folder);
// The same for the temporary files of one target, whatever its name: those
// a write or copy of path killed half-way left beside it.
void removeLeftoverTemporariesOf(const QString& path);
// Writes every byte to fd, again after an interruption; false with errno
// telling why (ENOSPC when the system took nothing).
bool writeAll(int fd, const char* data, qsizetype size);
// Why the last failed write or append of this thread failed, in the
// system's words ("No space left on device"); "" after a success.
QString lastWriteError();
// Adds bytes at the end of an existing file and waits for the disk; on any
// failure the file is cut back to its old length. A list that only grows is
// kept this way without a new file and a rename each time.
bool appendSynced(const QString& path, const QByteArray& bytes);
// Rewrites in place a file that only hands something on within the
// operation that writes it: the same file serves every run, where a new
// file renamed over the old each time leaves a freed one for every later
// creation in the folder to pass over. Its old bytes are gone whatever
// happens and a failure may leave it short, so it is for nothing read after
// a failed run. Anything but a plain file of one name (a link, say) is
// replaced as writeAtomic does without a sync. False when a step failed.
bool overwrite(const QString& path, const QByteArray& bytes);
// LF and lone CR become CR LF. CP932 when it holds the whole text, else UTF-8
// after a byte-order mark; asHtml writes CP932 always, with numeric character
// references for characters outside it.
bool writeText(const QString& path, const QString& text, bool asHtml = false, Sync sync = Sync::ToDisk);
// The same, telling why a write failed in reason (the system's words).
bool writeText(const QString& path, const QString& text, bool asHtml, Sync sync, QString* reason);
// name shortened at a character boundary before its extension so that it fits
// the file system's limit for a name in folder, with room for the temporary
// file that a rewrite puts beside it.
QString fittingName(const QString& folder, const QString& name);
// The whole file, UTF-8 after a byte-order mark, else CP932; "" when it
// cannot be read.
QString readText(const QString& path);
// The bytes of a plain file (through links); false, with errno telling why,
// for anything else: a FIFO or a device would hold a reader until some
// other program wrote to it, or never end.
bool readFile(const QString& path, QByteArray& bytes);

bool exists(const QString& path);
bool isFolder(const QString& path);
bool makeFolder(const QString& path);  // with parents; true when it exists afterwards
// Copies over an existing target (replaced atomically).
bool copyFile(const QString& from, const QString& to, Sync sync = Sync::ToDisk);
bool removeFile(const QString& path);
// Both files exist, can be read and hold the same bytes.
bool sameBytes(const QString& a, const QString& b);

// Names (not paths) of the files directly in folder that match a wildcard
// pattern such as "*.blg", ignoring case, sorted by name ignoring case.
QStringList listFiles(const QString& folder, const QString& pattern);

// Text with LF line breaks (inside the program) to CR LF (on disk) and back.
QString toCrLf(const QString& text);
QString toLf(const QString& text);

}  // namespace Files
