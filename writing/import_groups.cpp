#include "writing/import_groups.h"

#include "platform/database.h"

namespace ImportGroups {

QStringList list(const QString& databasePath) {
    Database db(databasePath, Database::Mode::ReadOnly);
    const Recordset rs = db.query(QStringLiteral("SELECT ImportMark FROM Contents WHERE ImportMark <> '' "
                                                 "GROUP BY ImportMark ORDER BY ImportMark DESC"));
    QStringList groups;
    for (qsizetype i = 0; i < rs.size(); ++i) groups << rs.text(i, QStringLiteral("ImportMark"));
    return groups;
}

int remove(const QString& databasePath, const QString& group) {
    if (group.isEmpty()) return 0;
    Database db(databasePath);
    return db.exec(QStringLiteral("DELETE FROM Contents WHERE ImportMark = ?"), {group});
}

}  // namespace ImportGroups
