#pragma once
// The search index of earlier builds of the program: an FTS5 table whose
// tokenizer, "rarav_pairs", only this program registers. Its triggers
// tokenized on every write of an entry, so no other client could write
// Contents or even drop the table. The program still registers the
// tokenizer on each connection, so that it can write such a database until
// the index is replaced, and drop the old table then.
#include <QString>

struct sqlite3;
class Database;

namespace LegacySearchIndex {

// Makes the old tokenizer known to a connection.
bool registerTokenizer(sqlite3* db);

// An SQL condition on sqlite_master that holds for the old index's table and
// triggers.
inline const QString kObjects = QStringLiteral(
    "(name IN ('ContentsSearch', 'ContentsSearchInsert', 'ContentsSearchDelete', 'ContentsSearchUpdate'))");

// True when db still has the old index.
bool present(Database& db);
// Drops the old table and its triggers, within the caller's transaction.
void drop(Database& db);

}  // namespace LegacySearchIndex
