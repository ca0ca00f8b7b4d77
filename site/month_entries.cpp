#include "site/month_entries.h"

#include "platform/database.h"
#include "platform/runtime_error.h"

int MonthEntry::dayOfMonth() const { return day.right(2).toInt(); }

namespace {

struct ReadAhead {
    bool waiting = false;
    QString databasePath, monthPrefix;
    bool includePrivate = false;
    MonthEntries entries;
};
thread_local ReadAhead readAhead;

MonthEntries readMonthEntries(const QString& databasePath, const QString& monthPrefix, bool includePrivate) {
    QString sql = QStringLiteral(
        "SELECT Day, Number, Title, Contents, Extend, Weather, Genre, Private FROM Contents "
        "WHERE Day >= ? AND Day < ?");
    if (!includePrivate) sql += QStringLiteral(" AND Private = 0");
    sql += QStringLiteral(" ORDER BY Day DESC, Number DESC");

    Database db(databasePath, Database::Mode::ReadOnly);
    const Recordset rs = db.query(sql, Sql::monthBounds(monthPrefix));
    MonthEntries entries;
    entries.reserve(rs.size());
    for (const QVariantList& row : rs.rows) {
        MonthEntry e;
        e.day = row[0].toString();
        e.number = row[1].toInt();
        e.title = row[2];
        e.contents = row[3];
        // Null and the empty text stay apart: an empty genre still shows its
        // "[]" label and an empty continuation its marker line.
        e.extend = row[4];
        e.weather = row[5];
        e.genre = row[6];
        e.isPrivate = row[7].toInt() != 0;
        const int d = e.dayOfMonth();
        if (d < 1 || d > 31)
            throw RuntimeError(9, QStringLiteral("インデックスが有効範囲にありません。(%1)").arg(e.day));
        entries.append(e);
    }
    return entries;
}

}  // namespace

MonthEntriesReadAhead::MonthEntriesReadAhead(const QString& databasePath, const QString& monthPrefix,
                                             bool includePrivate) {
    readAhead.entries = readMonthEntries(databasePath, monthPrefix, includePrivate);
    readAhead.databasePath = databasePath;
    readAhead.monthPrefix = monthPrefix;
    readAhead.includePrivate = includePrivate;
    readAhead.waiting = true;
}

MonthEntriesReadAhead::~MonthEntriesReadAhead() { readAhead = ReadAhead(); }

MonthEntries loadMonthEntries(const QString& databasePath, const QString& monthPrefix, bool includePrivate) {
    if (readAhead.waiting && readAhead.databasePath == databasePath && readAhead.monthPrefix == monthPrefix &&
        readAhead.includePrivate == includePrivate) {
        readAhead.waiting = false;
        return std::move(readAhead.entries);
    }
    return readMonthEntries(databasePath, monthPrefix, includePrivate);
}

QStringList entryDays(const MonthEntries& entries) {
    QStringList days;
    for (const MonthEntry& e : entries) {
        if (days.isEmpty() || days.last() != e.day) days << e.day;
    }
    return days;
}

DayPageMap buildDayPageMap(const QStringList& daysNewestFirst, int term, bool onTop) {
    if (term < 1) term = 31;
    DayPageMap map;
    int page = onTop ? 0 : 1;
    int count = 1;
    for (const QString& day : daysNewestFirst) {
        // The feeds map days as stored: one past any month's end or with a
        // sign ("2005/05/99", "2005/05/-1") has no slot.
        const int d = day.right(2).toInt();
        if (d >= 1 && d <= 31) map.page[size_t(d)] = page;
        if (count == term) {
            count = 1;
            ++page;
        } else {
            ++count;
        }
    }
    if (daysNewestFirst.size() % term == 0) --page;
    map.lastPage = page;
    return map;
}
