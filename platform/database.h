#pragma once
// The entry database: SQLite under the old file names. A Database object is
// one connection for one operation; when it goes out of scope its thread may
// keep the connection for the next one on the same file. Values are always
// bound, never pasted into SQL.
#include "platform/runtime_error.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>

struct sqlite3;

// Rows read by a query: column names and values in select order.
struct Recordset {
    QStringList columns;
    QList<QVariantList> rows;

    bool isEmpty() const { return rows.isEmpty(); }
    qsizetype size() const { return rows.size(); }
    // Column lookup ignores case, as the old provider did; -1 when missing.
    int column(const QString& name) const;
    QVariant value(qsizetype row, const QString& name) const;
    QString text(qsizetype row, const QString& name) const { return value(row, name).toString(); }
    int integer(qsizetype row, const QString& name) const { return value(row, name).toInt(); }
};

class Database {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    // Throws RuntimeError when the file cannot be opened (a missing file is
    // an error unless mode is Create).
    explicit Database(const QString& path, Mode mode = Mode::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one statement; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantList& params = {});
    // Runs a script of several statements without parameters (schema files).
    void execScript(const QString& sql);
    Recordset query(const QString& sql, const QVariantList& params = {});
    // The same, handing each row to `row` as it is read instead of holding
    // them all: a query over every entry's text.
    void forEach(const QString& sql, const QVariantList& params, const std::function<void(const QVariantList&)>& row);
    // The first column of the first row; invalid when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    bool tableExists(const QString& name);
    QStringList columnsOf(const QString& table);
    qint64 lastInsertId() const;

    void begin();
    void commit();
    void rollback();
    // Commits once ready() has returned true, doing the commit's writes and
    // syncs meanwhile: only its last step, after which the change stands,
    // waits (the commit holds the database file for itself all the while,
    // so that readers wait too). When ready() returns false the change is
    // rolled back and RuntimeError thrown. ready() runs on this thread and
    // must not throw; a transaction that changed nothing commits without
    // calling it.
    void commitWhen(const std::function<bool()>& ready);

    const QString& path() const { return path_; }

    // One statement run once or many times over (a row looked up by each key
    // in turn), its values read where SQLite holds them: a page over every
    // entry then makes no QVariant or QString of each text it only copies.
    class Cursor {
    public:
        enum class Type { Integer, Real, Text, Blob, Null };
        Cursor(Database& db, const QString& sql);
        ~Cursor();
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;
        // Binds the values as query() does, from the first parameter on; the
        // statement starts again.
        void bind(const QVariantList& params);
        // One parameter (counted from 1) bound anew, the others kept; the
        // statement starts again.
        void bind(int parameter, qint64 value);
        // The next row; false after the last.
        bool next();
        Type type(int column) const;
        // The value as SQLite's UTF-8 text, valid until the next row; a
        // null view for NULL.
        QByteArrayView text(int column) const;
        qint64 integer(int column) const;
        // The value as query() reads it.
        QVariant value(int column) const;

    private:
        struct Held;
        std::unique_ptr<Held> held_;
    };

private:
    sqlite3* db_ = nullptr;
    QString path_;
    Mode mode_;
    // The file the connection was opened on, so that a connection kept for
    // reuse is never handed out for a file put in its place.
    bool reusable_ = false;
    quint64 device_ = 0, inode_ = 0;
};

// Commits on commit(); rolls back when it goes out of scope without one, so
// an exception in a multi-row change leaves the database as it was.
class Transaction {
public:
    explicit Transaction(Database& db) : db_(db) { db_.begin(); }
    ~Transaction() {
        if (!done_) {
            try {
                db_.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        db_.commit();
        done_ = true;
    }
    void commitWhen(const std::function<bool()>& ready) {
        db_.commitWhen(ready);
        done_ = true;
    }

private:
    Database& db_;
    bool done_ = false;
};

// Reads that see the database as it stood at the first of them, whatever
// another connection commits meanwhile; ends when it goes out of scope.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Database& db) : db_(db) { db_.exec(QStringLiteral("BEGIN")); }
    ~ReadSnapshot() {
        try {
            db_.exec(QStringLiteral("COMMIT"));
        } catch (...) {
            // A connection left inside a transaction is closed, not kept.
        }
    }
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    Database& db_;
};

// Reads that take the file's pages where the system keeps them, mapped into
// memory, instead of copying each one into SQLite's cache: a read of most of
// a long diary. Ends when it goes out of scope.
class MappedReads {
public:
    explicit MappedReads(Database& db);
    ~MappedReads();
    MappedReads(const MappedReads&) = delete;
    MappedReads& operator=(const MappedReads&) = delete;

private:
    Database& db_;
};

namespace Sql {
// User text used inside a Like pattern: "%", "_" and the escape character are
// taken literally. Use with "Like ? Escape '\'".
QString escapeLike(const QString& text);
// The days of a month "yyyy/mm" as bounds for "Day >= ? AND Day < ?": every
// "yyyy/mm/dd" lies between "yyyy/mm/" and "yyyy/mm0" ("0" follows "/"), a
// range the day index narrows, where a Like on the prefix scans the index.
QVariantList monthBounds(const QString& month);
// The kind of value a parameter is bound as: bool and every integer type as
// an integer, double and float as a real, a QByteArray as a blob, anything
// else as its text in UTF-8.
enum class Bound { Null, Integer, Real, Blob, Text };
Bound boundAs(const QVariant& value);
}  // namespace Sql
