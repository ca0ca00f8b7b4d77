#include "shell/db_version.h"

#include "platform/database.h"

namespace Shell {

int GetDBVersion(const QString& databasePath) {
    try {
        Database db(databasePath, Database::Mode::ReadOnly);
        if (!db.tableExists(QStringLiteral("DBInfo"))) return 0;
        return db.scalar(QStringLiteral("SELECT VersionInfo FROM DBInfo")).toInt();
    } catch (const RuntimeError&) {
        return 0;
    }
}

}  // namespace Shell
