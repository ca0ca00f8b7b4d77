#include "platform/search_index.h"

#include "platform/database.h"
#include "platform/legacy_search_index.h"
#include "platform/search_pairs.h"

#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace SearchIndex {

namespace {

// Rows are read in slices so that a large diary never sits in memory whole.
constexpr int kSliceRows = 500;

// The index itself: the words of each row and the rows it holds.
const QString kIndexTables =
    QStringLiteral("CREATE VIRTUAL TABLE ContentsPairs USING fts5(Title, Contents, content='', tokenize='ascii', "
                   "detail='full', columnsize=0);\n"
                   "CREATE TABLE ContentsPairsRows (Row INTEGER PRIMARY KEY, Hash INTEGER NOT NULL);\n");

// Every table and trigger of the index is there, and nothing of the index of
// earlier builds.
const QString kSchemaCurrent =
    QStringLiteral("(SELECT coalesce(sum(name IN ('ContentsPairs', 'ContentsPairsRows', 'ContentsPairsLog', "
                   "'ContentsPairsInsert', 'ContentsPairsDelete', 'ContentsPairsUpdate')), 0) = 6 "
                   "AND coalesce(sum(%1), 0) = 0 FROM sqlite_master)")
        .arg(LegacySearchIndex::kObjects);

// The log is empty and the index holds as many rows, from the same first to
// the same last, as Contents. A file restored from a dump numbers its rows
// afresh without running the triggers; this tells whenever that moved a row.
const QString kUpToDate =
    QStringLiteral("NOT EXISTS (SELECT 1 FROM ContentsPairsLog) "
                   "AND (SELECT count(*) FROM Contents) = (SELECT count(*) FROM ContentsPairsRows) "
                   "AND (SELECT min(rowid) FROM Contents) IS (SELECT min(Row) FROM ContentsPairsRows) "
                   "AND (SELECT max(rowid) FROM Contents) IS (SELECT max(Row) FROM ContentsPairsRows)");

// A change the log cannot account for: the index is built afresh instead.
struct Incoherent {};

bool schemaCurrent(Database& db) {
    static const QString sql = QStringLiteral("SELECT ") + kSchemaCurrent;
    return db.scalar(sql).toInt() == 1;
}

bool upToDate(Database& db) {
    static const QString sql = QStringLiteral("SELECT ") + kUpToDate;
    return db.scalar(sql).toInt() == 1;
}

// Both in one statement: each statement outside a transaction takes the
// file's lock anew, which costs more than the checks themselves.
bool current(Database& db) {
    static const QString sql = QStringLiteral("SELECT ") + kSchemaCurrent + QStringLiteral(" AND ") + kUpToDate;
    try {
        return db.scalar(sql).toInt() == 1;
    } catch (const RuntimeError&) {
        return false;  // a table of the index is missing
    }
}

// What the index holds of a row is known by a hash of its texts, so that a
// row is only ever taken out with the very words it was put in with: FTS5
// would be damaged by taking out others.
qint64 hashOf(const QByteArray& title, const QByteArray& contents) {
    quint64 h = 0x9E3779B97F4A7C15ULL;
    auto add = [&h](const QByteArray& bytes) {
        const char* p = bytes.constData();
        qsizetype left = bytes.size();
        for (; left >= 8; p += 8, left -= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
            h ^= h >> 32;
        }
        // The last bytes with their count in the top byte: "ab" + "c"
        // differs from "a" + "bc".
        quint64 tail = quint64(left) << 56;
        std::memcpy(&tail, p, size_t(left));
        h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
        h ^= h >> 29;
    };
    add(title);
    add(contents);
    return qint64(h);
}

// A row as the index takes it: its pairs and the hash of its texts.
struct IndexedRow {
    QVariant row;
    QByteArray titlePairs, contentsPairs;
    qint64 hash = 0;
};

IndexedRow indexed(const QVariant& row, const QByteArray& title, const QByteArray& contents) {
    return {row, SearchPairs::of(title), SearchPairs::of(contents), hashOf(title, contents)};
}

void insertRow(Database& db, const IndexedRow& r) {
    db.exec(QStringLiteral("INSERT INTO ContentsPairs (rowid, Title, Contents) VALUES (?, ?, ?)"),
            {r.row, r.titlePairs, r.contentsPairs});
    db.exec(QStringLiteral("INSERT INTO ContentsPairsRows (Row, Hash) VALUES (?, ?)"), {r.row, r.hash});
}

Recordset sliceAfter(Database& db, const QVariant& last) {
    return db.query(QStringLiteral("SELECT rowid, CAST(Title AS BLOB), CAST(Contents AS BLOB) "
                                   "FROM Contents WHERE rowid > ? ORDER BY rowid LIMIT %1")
                        .arg(kSliceRows),
                    {last});
}

QList<IndexedRow> indexedSlice(const Recordset& slice) {
    QList<IndexedRow> out;
    out.reserve(slice.size());
    for (const QVariantList& r : slice.rows) out << indexed(r[0], r[1].toByteArray(), r[2].toByteArray());
    return out;
}

// The pairs of one slice are made on another thread while this one feeds
// the previous slice to FTS5, which takes most of the time.
void buildAll(Database& db, const std::function<void()>& betweenSlices) {
    db.exec(QStringLiteral("INSERT INTO ContentsPairs (ContentsPairs) VALUES ('delete-all')"));
    db.exec(QStringLiteral("DELETE FROM ContentsPairsRows"));
    db.exec(QStringLiteral("DELETE FROM ContentsPairsLog"));
    Recordset slice = sliceAfter(db, qlonglong(std::numeric_limits<qint64>::min()));
    while (!slice.isEmpty()) {
        auto pairs = std::async(std::launch::async, indexedSlice, slice);
        const QVariant last = slice.rows.last().first();
        slice = sliceAfter(db, last);
        const QList<IndexedRow> rows = pairs.get();
        for (const IndexedRow& r : rows) insertRow(db, r);
        if (betweenSlices) betweenSlices();
    }
}

// Takes each row the log names out of the index with its texts from before
// its first logged change, and puts it back with its texts of now. Throws
// Incoherent when the log does not tell what the index holds of a row.
void applyLog(Database& db) {
    const Recordset log = db.query(QStringLiteral("SELECT Seq, Row, HadRow, CAST(OldTitle AS BLOB), "
                                                  "CAST(OldContents AS BLOB) FROM ContentsPairsLog ORDER BY Seq"));
    if (log.isEmpty()) return;
    QHash<qint64, qsizetype> firstChange;
    QList<qint64> rows;
    for (qsizetype i = 0; i < log.size(); ++i) {
        const qint64 row = log.rows[i][1].toLongLong();
        if (firstChange.contains(row)) continue;
        firstChange.insert(row, i);
        rows << row;
    }
    for (const qint64 row : std::as_const(rows)) {
        const QVariantList& first = log.rows[firstChange.value(row)];
        const bool hadRow = first[2].toInt() != 0;
        const QVariant held = db.scalar(QStringLiteral("SELECT Hash FROM ContentsPairsRows WHERE Row = ?"), {row});
        if (held.isValid() != hadRow) throw Incoherent{};
        if (hadRow) {
            const QByteArray oldTitle = first[3].toByteArray(), oldContents = first[4].toByteArray();
            if (held.toLongLong() != hashOf(oldTitle, oldContents)) throw Incoherent{};
            db.exec(QStringLiteral("INSERT INTO ContentsPairs (ContentsPairs, rowid, Title, Contents) "
                                   "VALUES ('delete', ?, ?, ?)"),
                    {row, SearchPairs::of(oldTitle), SearchPairs::of(oldContents)});
            db.exec(QStringLiteral("DELETE FROM ContentsPairsRows WHERE Row = ?"), {row});
        }
        const Recordset now = db.query(
            QStringLiteral("SELECT CAST(Title AS BLOB), CAST(Contents AS BLOB) FROM Contents WHERE rowid = ?"), {row});
        if (!now.isEmpty()) insertRow(db, indexed(row, now.rows[0][0].toByteArray(), now.rows[0][1].toByteArray()));
    }
    db.exec(QStringLiteral("DELETE FROM ContentsPairsLog WHERE Seq <= ?"), {log.rows.last().first()});
}

void dropAll(Database& db) {
    if (LegacySearchIndex::present(db)) LegacySearchIndex::drop(db);
    db.execScript(QStringLiteral("DROP TRIGGER IF EXISTS ContentsPairsInsert;\n"
                                 "DROP TRIGGER IF EXISTS ContentsPairsDelete;\n"
                                 "DROP TRIGGER IF EXISTS ContentsPairsUpdate;\n"
                                 "DROP TABLE IF EXISTS ContentsPairs;\n"
                                 "DROP TABLE IF EXISTS ContentsPairsRows;\n"
                                 "DROP TABLE IF EXISTS ContentsPairsLog;\n"));
}

// The index's tables and triggers as the schema gives them, in place of any
// of them that are missing or were left behind.
void makeSchema(Database& db) {
    dropAll(db);
    db.execScript(schemaSql());
}

void bringUpToDate(Database& db) {
    Transaction t(db);
    if (!schemaCurrent(db)) {
        makeSchema(db);
        buildAll(db, {});
    } else {
        try {
            applyLog(db);
        } catch (const Incoherent&) {
            buildAll(db, {});
        }
        if (!upToDate(db)) buildAll(db, {});
    }
    t.commit();
}

}  // namespace

QString schemaSql() {
    return kIndexTables + QStringLiteral(
        "CREATE TABLE ContentsPairsLog (Seq INTEGER PRIMARY KEY, Row INTEGER NOT NULL, HadRow INTEGER NOT NULL, "
        "OldTitle, OldContents);\n"
        "CREATE TRIGGER ContentsPairsInsert AFTER INSERT ON Contents BEGIN\n"
        "  INSERT INTO ContentsPairsLog (Row, HadRow) VALUES (new.rowid, 0);\n"
        "END;\n"
        "CREATE TRIGGER ContentsPairsDelete AFTER DELETE ON Contents BEGIN\n"
        "  INSERT INTO ContentsPairsLog (Row, HadRow, OldTitle, OldContents) VALUES (old.rowid, 1, old.Title, "
        "old.Contents);\n"
        "END;\n"
        "CREATE TRIGGER ContentsPairsUpdate AFTER UPDATE ON Contents\n"
        "WHEN old.rowid IS NOT new.rowid OR old.Title IS NOT new.Title OR old.Contents IS NOT new.Contents BEGIN\n"
        "  INSERT INTO ContentsPairsLog (Row, HadRow, OldTitle, OldContents) VALUES (old.rowid, 1, old.Title, "
        "old.Contents);\n"
        "  INSERT INTO ContentsPairsLog (Row, HadRow) SELECT new.rowid, 0 WHERE new.rowid IS NOT old.rowid;\n"
        "END;\n");
}

void build(Database& db, const std::function<void()>& betweenSlices) {
    Transaction t(db);
    if (!schemaCurrent(db)) makeSchema(db);
    buildAll(db, betweenSlices);
    t.commit();
}

void drop(Database& db) {
    Transaction t(db);
    dropAll(db);
    t.commit();
}

namespace {

// The bytes CAST(value AS BLOB) reads back once Database has bound the value
// into a column of text affinity: false for a floating-point number, which
// SQLite stores in a rendering of its own.
bool storedBytes(const QVariant& value, QByteArray& bytes) {
    switch (Sql::boundAs(value)) {
    case Sql::Bound::Null:
        bytes.clear();
        return true;
    case Sql::Bound::Blob:
        bytes = value.toByteArray();
        return true;
    case Sql::Bound::Integer:
        bytes = QByteArray::number(value.toLongLong());
        return true;
    case Sql::Bound::Real:
        return false;
    case Sql::Bound::Text:
    default:
        bytes = value.toString().toUtf8();
        return true;
    }
}

// Title and Contents store what they are given as text, as the shipped
// schema declares them; a column of numeric affinity would turn "01" into 1.
bool textColumns(Database& db) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info('Contents') "
                                    "WHERE lower(name) IN ('title', 'contents') AND upper(type) NOT LIKE '%INT%' "
                                    "AND (upper(type) LIKE '%CHAR%' OR upper(type) LIKE '%CLOB%' "
                                    "OR upper(type) LIKE '%TEXT%')"))
               .toInt() == 2;
}

// Rows handed over wait in batches of kSliceRows; the copy waits for the
// thread rather than let more of them take up memory.
constexpr size_t kMaxWaiting = 8;

}  // namespace

struct ConcurrentBuild::Worker {
    struct Row {
        qint64 row;
        QVariant title, contents;
    };

    std::function<void()> whileWaiting;
    QTemporaryDir folder;
    QString file;  // the scratch file in it
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    // Batches handed over, not yet taken; at most kMaxWaiting.
    std::deque<QList<Row>> batches;  // under mutex
    // Batches done with, freed by the copying thread that made their texts:
    // freeing them here would contend for that thread's memory arena with
    // every allocation the copy makes.
    std::vector<QList<Row>> spent;  // under mutex
    bool closed = false;             // under mutex
    bool finished = false;           // under mutex
    // Written by the thread before it finishes.
    std::atomic<bool> exact{true};  // also written by the threads making pairs
    QString failure;

    // The copying thread's own.
    QList<Row> filling;
    qint64 count = 0, first = 0, last = 0;
    bool consecutive = true;

    // The next batch, waiting for it; false once the copy is done.
    bool take(QList<Row>& batch) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return closed || !batches.empty(); });
        if (batches.empty()) return false;
        batch = std::move(batches.front());
        batches.pop_front();
        return true;
    }

    QList<IndexedRow> indexedRows(QList<Row> batch) {
        const auto giveBack = qScopeGuard([this, &batch] {
            std::lock_guard<std::mutex> lock(mutex);
            spent.push_back(std::move(batch));
        });
        QList<IndexedRow> out;
        out.reserve(batch.size());
        QByteArray title, contents;
        for (const Row& r : batch) {
            if (!exact) return {};
            if (!storedBytes(r.title, title) || !storedBytes(r.contents, contents)) {
                exact = false;
                return {};
            }
            out << indexed(r.row, title, contents);
        }
        return out;
    }

    // The pairs of one batch are made on another thread while this one
    // feeds the previous batch to FTS5, which takes most of the time.
    void run() {
        try {
            Database db(file, Database::Mode::Create);
            // A scratch file: nothing of it is needed after a failure.
            db.execScript(QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;") + kIndexTables);
            Transaction t(db);
            std::future<QList<IndexedRow>> pending;
            for (;;) {
                QList<Row> batch;
                const bool more = take(batch);
                std::future<QList<IndexedRow>> next;
                if (more)
                    next = std::async(std::launch::async,
                                      [this, b = std::move(batch)]() mutable { return indexedRows(std::move(b)); });
                if (pending.valid()) {
                    const QList<IndexedRow> rows = pending.get();
                    if (exact)
                        for (const IndexedRow& r : rows) insertRow(db, r);
                }
                if (!more) break;
                pending = std::move(next);
            }
            t.commit();
        } catch (const RuntimeError& e) {
            failure = e.description;
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        changed.notify_all();
    }

    void handOver() {
        if (filling.isEmpty()) return;
        waitFor([this] { return batches.size() < kMaxWaiting || finished; });
        std::vector<QList<Row>> done;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!finished) batches.push_back(std::move(filling));
            done.swap(spent);
        }
        filling = {};
        changed.notify_all();
    }

    // Waits until `done` holds (under the mutex), serving the caller's
    // window meanwhile.
    template <typename Done>
    void waitFor(Done done) {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (changed.wait_for(lock, std::chrono::milliseconds(10), done)) return;
            }
            if (whileWaiting) whileWaiting();
        }
    }

    // Lets the thread finish and waits for it.
    void close() {
        if (!thread.joinable()) return;
        handOver();
        {
            std::lock_guard<std::mutex> lock(mutex);
            closed = true;
        }
        changed.notify_all();
        waitFor([this] { return finished; });
        thread.join();
        spent.clear();
    }

    // The index of the rows handed over stands for db's rows: the same rows,
    // stored as they were handed over.
    bool standsFor(Database& db) {
        if (!failure.isEmpty() || !exact || !consecutive || !textColumns(db)) return false;
        const Recordset rs = db.query(QStringLiteral("SELECT count(*), min(rowid), max(rowid) FROM Contents"));
        if (count == 0) return rs.rows[0][0].toLongLong() == 0;
        return rs.rows[0][0].toLongLong() == count && rs.rows[0][1].toLongLong() == first &&
               rs.rows[0][2].toLongLong() == last;
    }

    // db's index tables as the schema makes them, filled from the scratch
    // file. FTS5 keeps the whole index in its _data and _idx tables; with no
    // content and no sizes stored it keeps nothing else.
    void takeOver(Database& db) {
        // Before the scratch file is attached: a name the drops leave
        // unqualified would find its tables.
        {
            Transaction t(db);
            makeSchema(db);
            t.commit();
        }
        db.exec(QStringLiteral("ATTACH DATABASE ? AS ContentsPairsBuilt"), {file});
        try {
            Transaction t(db);
            db.execScript(QStringLiteral(
                "DELETE FROM main.ContentsPairs_data;\n"
                "DELETE FROM main.ContentsPairs_idx;\n"
                "INSERT INTO main.ContentsPairs_data SELECT * FROM ContentsPairsBuilt.ContentsPairs_data;\n"
                "INSERT INTO main.ContentsPairs_idx SELECT * FROM ContentsPairsBuilt.ContentsPairs_idx;\n"
                "INSERT INTO main.ContentsPairsRows SELECT * FROM ContentsPairsBuilt.ContentsPairsRows;\n"));
            t.commit();
        } catch (const RuntimeError&) {
            db.execScript(QStringLiteral("DETACH DATABASE ContentsPairsBuilt"));
            throw;
        }
        db.execScript(QStringLiteral("DETACH DATABASE ContentsPairsBuilt"));
    }
};

ConcurrentBuild::ConcurrentBuild(std::function<void()> whileWaiting) : worker_(new Worker) {
    worker_->whileWaiting = std::move(whileWaiting);
    if (!worker_->folder.isValid()) {
        worker_->failure = worker_->folder.errorString();
        return;
    }
    worker_->file = worker_->folder.filePath(QStringLiteral("index.db"));
    try {
        worker_->thread = std::thread([w = worker_.get()] { w->run(); });
    } catch (const std::system_error& e) {
        worker_->failure = QString::fromLocal8Bit(e.what());
    }
}

ConcurrentBuild::~ConcurrentBuild() {
    worker_->exact = false;
    worker_->filling.clear();
    worker_->close();
}

void ConcurrentBuild::add(qint64 row, const QVariant& title, const QVariant& contents) {
    Worker& w = *worker_;
    if (!w.thread.joinable()) return;
    if (w.count == 0)
        w.first = row;
    else if (row != w.last + 1)
        w.consecutive = false;
    w.last = row;
    ++w.count;
    w.filling << Worker::Row{row, title, contents};
    if (w.filling.size() >= kSliceRows) w.handOver();
}

void ConcurrentBuild::install(Database& db) {
    worker_->close();
    if (worker_->standsFor(db)) {
        try {
            worker_->takeOver(db);
            return;
        } catch (const RuntimeError&) {
        }
    }
    build(db, worker_->whileWaiting);
}

namespace {
// Brings the index up to date through a connection of its own unless enough
// holds of db already; false when the file cannot be changed.
bool bringUpToDateUnless(Database& db, bool (*enough)(Database&)) {
    try {
        if (enough(db)) return true;
        Database writer(db.path());
        bringUpToDate(writer);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}
}  // namespace

bool ready(Database& db) { return bringUpToDateUnless(db, current); }

bool isCurrent(Database& db) { return current(db); }

bool replaceMissingOrEarlierIndex(Database& db) { return bringUpToDateUnless(db, schemaCurrent); }

QString matchQuery(const QString& keyword) {
    const QByteArray pairs = SearchPairs::of(keyword.toUtf8());
    if (pairs.isEmpty()) return QString();
    return QLatin1Char('"') + QString::fromUtf8(pairs) + QLatin1Char('"');
}

}  // namespace SearchIndex
