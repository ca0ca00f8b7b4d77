#pragma once
// The lines of settings files as last read, so that the many values one
// operation takes from the same file cost one reading. A file is read again
// whenever it is no longer the file that was read (another inode, size,
// modification or change time, to the nanosecond), so a change made between
// two operations, by this program or another, is always seen.
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace ProfileCache {

// One reading of a file: its lines and where each key stands, as the reader
// of the file's kind indexed them.
struct Reading {
    QStringList lines;
    QHash<QString, qsizetype> keyLines;
};
using ReadingPtr = std::shared_ptr<const Reading>;

// The file's reading: the one made before while the file is unchanged, else
// read(file), kept for next time. A missing file is not kept.
ReadingPtr reading(const QString& file, const std::function<Reading(const QString&)>& read);

// Drops what is kept of file; called after this program rewrites it.
void forget(const QString& file);

// While one lives on a thread, a file found unchanged (or missing) once is
// taken as such for the rest of the operation without looking again: one
// page takes some sixty values from one file. What this program writes
// meanwhile is still seen, and the next operation looks again.
class Operation {
public:
    Operation();
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
};

}  // namespace ProfileCache
