#include "writing/memo_list.h"

#include "platform/database.h"

namespace MemoList {

Categories collect(const QString& databasePath) {
    Database db(databasePath, Database::Mode::ReadOnly);
    const Recordset rs = db.query(
        QStringLiteral("SELECT Category, Count(RecordID) AS ItemCount FROM Memo GROUP BY Category"));
    Categories c;
    for (qsizetype i = 0; i < rs.size(); ++i) {
        const qint64 count = rs.value(i, QStringLiteral("ItemCount")).toLongLong();
        c.total += count;
        const QVariant category = rs.value(i, QStringLiteral("Category"));
        if (category.isNull()) continue;
        for (const QString& name : category.toString().trimmed().split(QLatin1Char(' '))) {
            const qsizetype at = c.names.indexOf(name);
            if (at >= 0) {
                c.counts[at] += count;
            } else {
                c.names << name;
                c.counts << count;
            }
        }
    }
    return c;
}

QList<Memo> memosOf(const QString& databasePath, const QString& category) {
    if (category == kFind) return {};
    Database db(databasePath, Database::Mode::ReadOnly);
    const Recordset rs = db.query(
        QStringLiteral("SELECT RecordID, PublishTime, Title, Memo, Category FROM Memo ORDER BY RecordID"));
    const QString word = QLatin1Char(' ') + category + QLatin1Char(' ');
    QList<Memo> memos;
    for (qsizetype i = 0; i < rs.size(); ++i) {
        const QVariant cat = rs.value(i, QStringLiteral("Category"));
        if (category != kAll &&
            (cat.isNull() || !(QLatin1Char(' ') + cat.toString() + QLatin1Char(' ')).contains(word)))
            continue;
        memos << Memo{rs.text(i, QStringLiteral("RecordID")), rs.text(i, QStringLiteral("PublishTime")),
                      rs.text(i, QStringLiteral("Title")), rs.text(i, QStringLiteral("Memo")), cat.toString()};
    }
    return memos;
}

}  // namespace MemoList
