#include "core/database_file.h"

#include "platform/database.h"
#include "platform/runtime_error.h"

#include <QFile>
#include <QFileInfo>

namespace DatabaseFile {

void settle(const QString& path) {
    bool folded = true;
    try {
        // Closing the connection would not fold the log: it is kept open
        // for reuse.
        Database db(path, Database::Mode::ReadWrite);
        db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        const Recordset rs = db.query(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        folded = rs.isEmpty() || rs.rows[0].value(0).toInt() == 0;
    } catch (const RuntimeError&) {
    }
    if (!folded)
        throw RuntimeError(ErrorNumber::DatabaseError,
                           QStringLiteral("他のプログラムがrarav.mdbを使っているため、その変更をファイルにまとめられません。\r\n"
                                          "他のプログラムを終了してから、もう一度実行してください。"));
}

void removeLeftLogs(const QString& database) {
    const QFileInfo info(database);
    const QString file = info.isSymLink() ? info.canonicalFilePath() : database;
    if (file.isEmpty()) return;
    for (const char* suffix : {"-journal", "-wal", "-shm"}) QFile::remove(file + QLatin1String(suffix));
}

}  // namespace DatabaseFile
