#pragma once
// The browser's search-word and address histories: files of one entry a line,
// oldest first, in CP932 with CR LF.
#include <QString>
#include <QStringList>

namespace BrowserHistory {

// How many entries a history brings back at start.
constexpr int kLoadLimit = 30;

// The first entries of the file (at most limit), in file order, which is
// oldest first; empty when the file is missing. Entries past the limit stay
// in the file until the list is saved again without them.
QStringList load(const QString& path, int limit = kLoadLimit);

// Rewrites the file with every entry. An empty list leaves the file as it
// is. False when the file could not be written.
bool save(const QString& path, const QStringList& entries);

// Appends text unless it is empty or an equal entry (exact, case-sensitive)
// is already there; true when appended.
bool appendUnique(QStringList& entries, const QString& text);

}  // namespace BrowserHistory
