#pragma once
// The full-text index of the entries' titles and bodies, which finds the rows
// a keyword search has to look at. It holds every pair of neighbouring
// characters of each entry (see search_pairs.h), so a keyword of two or more
// characters is a phrase of its pairs and the index returns every row that
// can hold it; the search's own conditions then decide.
//
// The diary stays an ordinary SQLite file that any client may change with
// nothing registered. So no write of Contents touches the index: plain
// triggers only note each changed row, with its texts from before the
// change, in ContentsPairsLog, and the program brings the index
// (ContentsPairs, a contentless FTS5 table with SQLite's own "ascii"
// tokenizer, and ContentsPairsRows, the rows it holds) up to date from that
// log before it searches. A file whose rows no longer match the index
// (restored from a dump, triggers dropped) gets the index built afresh.
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class Database;

namespace SearchIndex {

// The tables and triggers (also in the shipped schema).
QString schemaSql();

// Builds the index afresh from every row of Contents, making its tables and
// triggers where they are missing and dropping the index of earlier builds;
// `betweenSlices` runs between slices of rows. Throws RuntimeError when the
// build fails (nothing changes then).
void build(Database& db, const std::function<void()>& betweenSlices = {});

// Drops the index and its triggers, so that rows written in bulk are not
// noted one by one before build() takes them all. Throws RuntimeError.
void drop(Database& db);

// Builds the index of a new database while its rows are copied into it: a
// thread of its own indexes each row the copy hands over into a private
// file, and install() puts that index into the new database once the copy
// is done. The index is the one build() would make from the same rows.
// `whileWaiting` runs every few milliseconds while the copy waits for the
// thread: when the thread is that far behind that the rows waiting for it
// would fill much memory, and in install().
class ConcurrentBuild {
public:
    explicit ConcurrentBuild(std::function<void()> whileWaiting = {});
    // Without install(), the rows not yet indexed are dropped.
    ~ConcurrentBuild();
    ConcurrentBuild(const ConcurrentBuild&) = delete;
    ConcurrentBuild& operator=(const ConcurrentBuild&) = delete;

    // A row of Contents, in the order of copying, with the values its Title
    // and Contents were written with.
    void add(qint64 row, const QVariant& title, const QVariant& contents);
    // Waits for the thread and makes db's index from what it built; where
    // that cannot stand for db's rows (a value it could not take as the
    // database stores it, rows the copy did not hand over, a failure of the
    // thread) db's index is built afresh as build() does. Throws RuntimeError
    // when that fails.
    void install(Database& db);

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

// True when db's file has an index that is up to date, bringing it up to
// date first through a connection of its own where it lags behind; false
// when that cannot be done (a file that cannot be written), and the search
// then reads every row.
bool ready(Database& db);
// True when db's file has an index that is up to date, changing nothing: a
// search that reads inside a transaction asks this there, so that the index
// holds what it reads, whatever another client wrote since ready().
bool isCurrent(Database& db);
// Gives db's file the index's tables and triggers where it lacks them or
// still has the index of earlier builds, which no other client can write
// past; an index that only lags behind is left for the next search. False
// when the file cannot be changed.
bool replaceMissingOrEarlierIndex(Database& db);

// The index query for a keyword: a phrase of its pairs; "" when the keyword
// has fewer than two characters and the index cannot narrow the search.
QString matchQuery(const QString& keyword);

}  // namespace SearchIndex
