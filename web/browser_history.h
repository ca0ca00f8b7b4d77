#pragma once
// The browser's search-word and address histories: files of one entry a line,
// oldest first, in CP932 with CR LF.
#include <QString>
#include <QStringList>

namespace BrowserHistory {

// How many entries a history brings back at start.
constexpr int kLoadLimit = 30;

// The newest entries of the file (at most limit), oldest first; empty when
// the file is missing. Newest rather than first, since new entries are
// appended at the end and would otherwise never come back once the file has
// grown past the limit.
QStringList load(const QString& path, int limit = kLoadLimit);

// Rewrites the file with every entry. An empty list leaves the file as it
// is. False when the file could not be written.
bool save(const QString& path, const QStringList& entries);

// Appends text unless it is empty or an equal entry (exact, case-sensitive)
// is already there; true when appended.
bool appendUnique(QStringList& entries, const QString& text);

}  // namespace BrowserHistory
