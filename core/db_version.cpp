#include "core/db_version.h"

#include "platform/database.h"
#include "platform/files.h"

namespace Shell {

namespace {

// Every layout, the oldest included, has the Contents table; SQLite takes an
// empty file for an empty database, which holds none.
void requireEntryTables(Database& db) {
    if (!db.tableExists(QStringLiteral("Contents")))
        throw RuntimeError(ErrorNumber::DatabaseError,
                           QStringLiteral("日記のデータベースではありません（Contentsテーブルがありません）。"));
}

}  // namespace

int GetDBVersion(const QString& databasePath) {
    if (!Files::exists(databasePath)) return 0;
    // Read-write, so that SQLite can roll back a journal left by a crash; a
    // read-only connection would refuse such a file as if it were damaged.
    Database db(databasePath, Database::Mode::ReadWrite);
    requireEntryTables(db);
    if (!db.tableExists(QStringLiteral("DBInfo"))) return 0;
    return db.scalar(QStringLiteral("SELECT VersionInfo FROM DBInfo")).toInt();
}

QString databaseDamage(const QString& databasePath) {
    try {
        Database db(databasePath, Database::Mode::ReadWrite);
        requireEntryTables(db);
        const Recordset rs = db.query(QStringLiteral("PRAGMA quick_check"));
        QStringList problems;
        for (const QVariantList& row : rs.rows) problems << row.value(0).toString();
        if (problems != QStringList{QStringLiteral("ok")}) return problems.join(QStringLiteral("\r\n"));
        return QString();
    } catch (const RuntimeError& e) {
        return e.description;
    }
}

}  // namespace Shell
