#include "writing/import_groups.h"

#include "platform/database.h"

namespace ImportGroups {

namespace {
// A plug-in may hand the name to SQLite as bytes: the group is its text,
// however the rows hold it.
const QString kMark = QStringLiteral("CAST(ImportMark AS TEXT)");
}  // namespace

QStringList list(const QString& databasePath) {
    Database db(databasePath, Database::Mode::ReadOnly);
    const Recordset rs = db.query(QStringLiteral("SELECT %1 AS Mark FROM Contents WHERE %1 <> '' "
                                                 "GROUP BY Mark ORDER BY Mark DESC")
                                      .arg(kMark));
    QStringList groups;
    for (qsizetype i = 0; i < rs.size(); ++i) groups << rs.text(i, QStringLiteral("Mark"));
    return groups;
}

int remove(const QString& databasePath, const QString& group) {
    if (group.isEmpty()) return 0;
    Database db(databasePath);
    return db.exec(QStringLiteral("DELETE FROM Contents WHERE %1 = ?").arg(kMark), {group});
}

}  // namespace ImportGroups
