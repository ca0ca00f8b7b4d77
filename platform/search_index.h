#pragma once
// The full-text index of the entries' titles and bodies, which finds the rows
// a keyword search has to look at. It indexes every pair of neighbouring
// characters (ASCII letters folded to lower case, as Like folds them), so a
// keyword of two or more characters is a phrase of its pairs and the index
// returns every row that can hold it; the search's own conditions then
// decide. An FTS5 table over Contents, kept in step by triggers.
#include <QString>

struct sqlite3;
class Database;

namespace SearchIndex {

inline const QString kTable = QStringLiteral("ContentsSearch");

// Makes the pair tokenizer known to a connection. Every connection that may
// write Contents needs it: the triggers tokenize on every write.
bool registerTokenizer(sqlite3* db);

// The table and its triggers (also in the shipped schema).
QString schemaSql();

// Builds the index for a database that lacks it. Throws RuntimeError when
// the build fails (nothing changes then).
void ensure(Database& db);
// True when db's file has the index, building it first through a connection
// of its own where it is missing; false when it cannot be built (a file
// that cannot be written), and the search then reads every row.
bool available(Database& db);

// The index query for a keyword: a phrase of its pairs; "" when the keyword
// has fewer than two characters and the index cannot narrow the search.
QString matchQuery(const QString& keyword);

}  // namespace SearchIndex
