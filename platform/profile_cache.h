#pragma once
// The lines of settings files as last read, so that the many values one
// operation takes from the same file cost one reading. A file is read again
// whenever it is no longer the file that was read (another inode, size,
// modification or change time, to the nanosecond), so a change made between
// two operations, by this program or another, is always seen.
#include <QString>
#include <QStringList>
#include <functional>

namespace ProfileCache {

// The file's lines: those read before while the file is unchanged, else
// read(file), kept for next time. A missing file is not kept.
QStringList lines(const QString& file, const std::function<QStringList(const QString&)>& read);

// Drops what is kept of file; called after this program rewrites it.
void forget(const QString& file);

}  // namespace ProfileCache
