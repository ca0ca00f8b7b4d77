#include "platform/database.h"

#include "platform/codepage.h"
#include "platform/file_threads.h"
#include "platform/legacy_search_index.h"

#include <QFile>
#include <QHash>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void fail(sqlite3* db, const QString& what) {
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    throw RuntimeError(ErrorNumber::DatabaseError, what + QStringLiteral(": ") + message);
}

// Statements prepared on each connection of this thread, by their text: a
// rebuild runs one insert per row, and an insert on the entries compiles the
// search index's triggers with it.
using PreparedStatements = QHash<QString, sqlite3_stmt*>;
constexpr qsizetype kMaxPrepared = 32;

struct IdleConnection;

// What a thread keeps of its connections, in one object so that nothing of
// it is gone while the rest closes at the thread's end.
struct ThreadConnections {
    QHash<sqlite3*, PreparedStatements> prepared;
    std::vector<IdleConnection> idle;
    ~ThreadConnections();
};
thread_local ThreadConnections connections;

void closeConnection(sqlite3* db) {
    if (!db) return;
    const auto it = connections.prepared.find(db);
    if (it != connections.prepared.end()) {
        for (sqlite3_stmt* st : *it) sqlite3_finalize(st);
        connections.prepared.erase(it);
    }
    sqlite3_close_v2(db);
}

// A prepared statement borrowed from its connection's statements (or made)
// and given back, reset, when done.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) : db_(db), sql_(sql) {
        PreparedStatements& kept = connections.prepared[db];
        stmt_ = kept.take(sql);
        if (stmt_) return;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(stmt_);
            fail(db, QStringLiteral("SQL error in \"%1\"").arg(sql));
        }
    }
    ~Statement() {
        if (!stmt_) return;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        PreparedStatements& kept = connections.prepared[db_];
        if (kept.contains(sql_) || kept.size() >= kMaxPrepared) {
            sqlite3_finalize(stmt_);
            return;
        }
        kept.insert(sql_, stmt_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* handle() const { return stmt_; }
    void bind(const QVariantList& params) {
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& v = params[i];
            int rc;
            switch (Sql::boundAs(v)) {
            case Sql::Bound::Null:
                rc = sqlite3_bind_null(stmt_, i + 1);
                break;
            case Sql::Bound::Integer:
                rc = sqlite3_bind_int64(stmt_, i + 1, v.toLongLong());
                break;
            case Sql::Bound::Real:
                rc = sqlite3_bind_double(stmt_, i + 1, v.toDouble());
                break;
            case Sql::Bound::Blob: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt_, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case Sql::Bound::Text:
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, i + 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            }
            }
            if (rc != SQLITE_OK) fail(db_, QStringLiteral("cannot bind value %1").arg(i + 1));
        }
    }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        fail(db_, QStringLiteral("SQL failed"));
    }
    int columnCount() const { return sqlite3_column_count(stmt_); }
    QString columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)); }
    QVariant value(int i) const {
        switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, i));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)),
                                       sqlite3_column_bytes(stmt_, i)));
        case SQLITE_NULL:
            return QVariant();
        default:
            return QVariant(Codepage::utf8Text(QByteArrayView(
                reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)), sqlite3_column_bytes(stmt_, i))));
        }
    }

private:
    sqlite3* db_;
    QString sql_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Opening a connection reads and parses the whole schema, the search
// index's tables and triggers included, which costs more than most queries
// of a page. A connection let go without a transaction or statement open is
// kept on its thread and handed to the next Database of the same file and
// mode while the file is still the one it was opened on; the file's content
// may change meanwhile, as it may under any idle connection of SQLite.
struct IdleConnection {
    QString path;
    Database::Mode mode;
    dev_t device;
    ino_t inode;
    sqlite3* db;
};

ThreadConnections::~ThreadConnections() {
    for (const IdleConnection& c : idle) closeConnection(c.db);
}

// An operation opens one or two files (the database, a log or imported one).
constexpr size_t kMaxIdle = 4;

sqlite3* takeIdle(const QString& path, Database::Mode mode, dev_t device, ino_t inode) {
    for (auto it = connections.idle.begin(); it != connections.idle.end(); ++it) {
        if (it->path != path || it->mode != mode) continue;
        sqlite3* db = it->db;
        const bool same = it->device == device && it->inode == inode;
        connections.idle.erase(it);
        if (same) return db;
        closeConnection(db);
        return nullptr;
    }
    return nullptr;
}

// The system's file layer as SQLite has it, but for the removal of a
// rollback journal, which is the moment a commit takes effect: a commit made
// through commitWhen() waits there on its thread until what must precede it
// is done. Everything else passes straight through.
thread_local const std::function<bool()>* commitGate = nullptr;
sqlite3_vfs* systemFiles = nullptr;

int removeFile(sqlite3_vfs*, const char* path, int syncFolder) {
    if (!path || !QByteArrayView(path).endsWith("-journal")) return systemFiles->xDelete(systemFiles, path, syncFolder);
    if (const std::function<bool()>* gate = commitGate) {
        commitGate = nullptr;
        // The journal stays, so that the change is rolled back.
        if (!(*gate)()) return SQLITE_IOERR_DELETE;
    }
    // Freeing the journal's blocks waits for the disk to be told of them,
    // which the commit need not wait for: while a descriptor holds the file
    // open, the removal takes only its name, and the blocks go when that
    // descriptor is closed, off this thread.
    const int held = ::open(path, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    const int rc = systemFiles->xDelete(systemFiles, path, syncFolder);
    if (held >= 0 && FileThreads::freedOnLocalDisk(held))
        FileThreads::closeLater(held);
    else if (held >= 0)
        ::close(held);
    return rc;
}

const char* gatedFiles() {
    static sqlite3_vfs gated = [] {
        systemFiles = sqlite3_vfs_find(nullptr);
        sqlite3_vfs v = *systemFiles;
        v.pNext = nullptr;
        v.zName = "rarav-gated";
        v.xDelete = removeFile;
        return v;
    }();
    static const bool registered = sqlite3_vfs_register(&gated, 0) == SQLITE_OK;
    return registered ? gated.zName : nullptr;
}

}  // namespace

int Recordset::column(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant Recordset::value(qsizetype row, const QString& name) const {
    const int c = column(name);
    if (c < 0 || row < 0 || row >= rows.size()) return QVariant();
    return rows[row][c];
}

Database::Database(const QString& path, Mode mode) : path_(path), mode_(mode) {
    struct stat st;
    const bool exists = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (mode != Mode::Create && !exists)
        throw RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("データベースが見つかりません: ") + path);
    if (mode != Mode::Create && S_ISREG(st.st_mode)) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
        reusable_ = true;
        db_ = takeIdle(path, mode, device_, inode_);
        if (db_) return;
    }
    int flags = SQLITE_OPEN_FULLMUTEX;
    flags |= mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == Mode::Create) flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, gatedFiles()) != SQLITE_OK) {
        const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        closeConnection(db_);
        db_ = nullptr;
        throw RuntimeError(ErrorNumber::DatabaseError, QStringLiteral("データベースを開けません: ") + path + ' ' + msg);
    }
    sqlite3_busy_timeout(db_, 5000);
    // A month's entries are read through the day index, one table page
    // after another; SQLite's 2 MB default cache holds too little of a diary
    // of many years for a kept connection to find them there the next time.
    sqlite3_exec(db_, "PRAGMA cache_size=-8192", nullptr, nullptr, nullptr);
    // A diary from an earlier build keeps the index whose triggers tokenize
    // with the program's own tokenizer until its first search replaces it.
    LegacySearchIndex::registerTokenizer(db_);
    // The Jet database compared text in Like without regard to case for
    // ASCII; SQLite's default Like does the same.
}

Database::~Database() {
    bool idleNow = reusable_ && db_ && sqlite3_get_autocommit(db_);
    for (sqlite3_stmt* st = idleNow ? sqlite3_next_stmt(db_, nullptr) : nullptr; st; st = sqlite3_next_stmt(db_, st))
        idleNow = idleNow && !sqlite3_stmt_busy(st);
    if (idleNow) {
        auto& kept = connections.idle;
        if (kept.size() >= kMaxIdle) {
            closeConnection(kept.front().db);
            kept.erase(kept.begin());
        }
        kept.push_back({path_, mode_, device_, inode_, db_});
        return;
    }
    closeConnection(db_);
}

int Database::exec(const QString& sql, const QVariantList& params) {
    Statement st(db_, sql);
    st.bind(params);
    while (st.step()) {
    }
    return sqlite3_changes(db_);
}

void Database::execScript(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        throw RuntimeError(ErrorNumber::DatabaseError, QStringLiteral("SQL script failed: ") + msg);
    }
}

Recordset Database::query(const QString& sql, const QVariantList& params) {
    Statement st(db_, sql);
    st.bind(params);
    Recordset rs;
    // The columns are read after the first step: a kept statement whose table
    // another connection has changed is prepared again by that step, and a
    // "*" then names the table's columns as they are now.
    bool more = st.step();
    for (int i = 0; i < st.columnCount(); ++i) rs.columns << st.columnName(i);
    for (; more; more = st.step()) {
        QVariantList row;
        row.reserve(rs.columns.size());
        for (int i = 0; i < rs.columns.size(); ++i) row << st.value(i);
        rs.rows << row;
    }
    return rs;
}

void Database::forEach(const QString& sql, const QVariantList& params,
                       const std::function<void(const QVariantList&)>& row) {
    Statement st(db_, sql);
    st.bind(params);
    QVariantList values;
    while (st.step()) {
        const int n = st.columnCount();
        values.resize(n);
        for (int i = 0; i < n; ++i) values[i] = st.value(i);
        row(values);
    }
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    Statement st(db_, sql);
    st.bind(params);
    if (st.step() && st.columnCount() > 0) return st.value(0);
    return QVariant();
}

bool Database::tableExists(const QString& name) {
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND lower(name)=lower(?)"),
                  {name})
               .toInt() > 0;
}

QStringList Database::columnsOf(const QString& table) {
    QStringList names;
    const Recordset rs = query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    for (const auto& row : rs.rows) names << row[0].toString();
    return names;
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

struct Database::Cursor::Held {
    Statement statement;
};

Database::Cursor::Cursor(Database& db, const QString& sql) : held_(new Held{Statement(db.db_, sql)}) {}

Database::Cursor::~Cursor() = default;

void Database::Cursor::bind(const QVariantList& params) {
    sqlite3_reset(held_->statement.handle());
    held_->statement.bind(params);
}

void Database::Cursor::bind(int parameter, qint64 value) {
    sqlite3_stmt* st = held_->statement.handle();
    sqlite3_reset(st);
    if (sqlite3_bind_int64(st, parameter, value) != SQLITE_OK)
        fail(sqlite3_db_handle(st), QStringLiteral("cannot bind value %1").arg(parameter));
}

bool Database::Cursor::next() { return held_->statement.step(); }

Database::Cursor::Type Database::Cursor::type(int column) const {
    switch (sqlite3_column_type(held_->statement.handle(), column)) {
    case SQLITE_INTEGER: return Type::Integer;
    case SQLITE_FLOAT: return Type::Real;
    case SQLITE_BLOB: return Type::Blob;
    case SQLITE_NULL: return Type::Null;
    default: return Type::Text;
    }
}

QByteArrayView Database::Cursor::text(int column) const {
    sqlite3_stmt* st = held_->statement.handle();
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return QByteArrayView(bytes, bytes ? sqlite3_column_bytes(st, column) : 0);
}

qint64 Database::Cursor::integer(int column) const {
    return sqlite3_column_int64(held_->statement.handle(), column);
}

QVariant Database::Cursor::value(int column) const { return held_->statement.value(column); }

void Database::begin() { exec(QStringLiteral("BEGIN IMMEDIATE")); }
void Database::commit() { exec(QStringLiteral("COMMIT")); }
void Database::rollback() { exec(QStringLiteral("ROLLBACK")); }

void Database::commitWhen(const std::function<bool()>& ready) {
    // A database another client has turned to a write-ahead log commits
    // without removing a journal: there the commit waits in full.
    const bool journalRemoved =
        scalar(QStringLiteral("PRAGMA journal_mode")).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0;
    if (!journalRemoved && !ready()) {
        rollback();
        throw RuntimeError(ErrorNumber::DatabaseError, QStringLiteral("SQL failed: the change was not committed"));
    }
    if (journalRemoved) commitGate = &ready;
    try {
        commit();
    } catch (...) {
        commitGate = nullptr;
        // The journal left behind is played back now, by this connection,
        // which may write: a reader finding it first could not.
        try {
            scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        } catch (const RuntimeError&) {
        }
        // A connection whose commit failed part-way is not kept for reuse.
        reusable_ = false;
        throw;
    }
    commitGate = nullptr;
}

MappedReads::MappedReads(Database& db) : db_(db) {
    // SQLite maps no more than the file holds, and falls back to reading
    // where it cannot map.
    db_.exec(QStringLiteral("PRAGMA mmap_size = 2147418112"));
}

MappedReads::~MappedReads() {
    try {
        db_.exec(QStringLiteral("PRAGMA mmap_size = 0"));
    } catch (...) {
    }
}

namespace Sql {
QString escapeLike(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QVariantList monthBounds(const QString& month) { return {month + QLatin1Char('/'), month + QLatin1Char('0')}; }

Bound boundAs(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return Bound::Null;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return Bound::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Bound::Real;
    case QMetaType::QByteArray:
        return Bound::Blob;
    default:
        return Bound::Text;
    }
}
}  // namespace Sql
