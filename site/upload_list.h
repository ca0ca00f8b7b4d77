#pragma once
// The list of files a generation wrote, which the upload reads: one line
// "folder,file name" per file, the folder without its trailing "/". A folder
// or name that holds a comma, a double quote, a line break or spaces at its
// ends is written with both fields in double quotes (a quote inside doubled),
// so that every folder and name reads back exactly; other lines stay as the
// old program wrote them.
#include "platform/files.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace UploadList {

struct Line {
    QString folder;  // without a trailing "/"
    QString name;
};

QString lineOf(const QString& path);
// The lines of a list's text. An unquoted line with more than one comma after
// its last "/" (an old list with a comma in the folder or the name) is split
// where the named file exists, else at the first comma. Throws RuntimeError
// when a quoted line has no end, and when the text holds no line at all: a
// generation always lists its top page, so such a list is damaged.
QList<Line> parse(const QString& text, const QString& listPath);
// Replaces the list whole. Throws RuntimeError when it cannot be written.
void write(const QString& listPath, const QStringList& paths, Files::Sync sync = Files::Sync::ToDisk);
// The same for a list that only hands the pages on within the operation
// that writes it (a past log's to the log maker): rewritten in place, as
// Files::overwrite does.
void handOver(const QString& listPath, const QStringList& paths);
// Adds the lines of paths that the list does not hold yet, creating it when
// missing; a path listed twice is added once. New lines are appended in the
// list's own encoding; a CP932 list that cannot hold one is written again
// whole as UTF-8. Throws RuntimeError when it cannot be read or written.
void append(const QString& listPath, const QStringList& paths);
// The same in two steps, so that the list can be read while what it is to
// name is still on its way to the disk: appending() reads the list and
// works out the change (throws when it cannot be read), and the change is
// written later, as long as nothing else writes the list meanwhile.
struct Appending {
    QByteArray bytes;  // added at the end, or the whole list when rewritten
    bool whole = false;
};
Appending appending(const QString& listPath, const QStringList& paths);
void write(const QString& listPath, const Appending& change);
// Removes a list left by an earlier call, so a generation that fails never
// leaves a list naming pages it did not write. Throws when it stays.
void remove(const QString& listPath);

}  // namespace UploadList
