#pragma once
// A database file handled as a whole file (copied, backed up, replaced),
// which is only the whole database once SQLite's journal and write-ahead log
// are no longer beside it.
#include <QString>

namespace DatabaseFile {

// Rolls back a hot journal and folds into the file a write-ahead log that
// another client turned the database to, so that a plain copy of the file
// alone is the whole database. A file SQLite cannot read is left as it is.
// Throws RuntimeError when another program holds part of the log back.
void settle(const QString& path);

// Removes the journal and the write-ahead log beside the file that is about
// to be replaced (the file a symbolic link points to): left beside the new
// file, SQLite would play them into it. Called before the new file takes
// its place, so that a kill in between leaves them beside no file but their own.
void removeLeftLogs(const QString& database);

}  // namespace DatabaseFile
