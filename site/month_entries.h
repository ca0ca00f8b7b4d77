#pragma once
// The entries of one month as the page writers use them, read with one query
// per page set: newest day first and, within a day, highest number first.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>

struct MonthEntry {
    QString day;  // "yyyy/mm/dd"
    int number = 1;
    // Null stays distinguishable from "": the pages treat the two apart.
    QVariant title, contents, extend, weather, genre;
    bool isPrivate = false;

    int dayOfMonth() const;  // the last two characters of day
    QString anchor() const { return day + QLatin1Char('_') + QString::number(number); }
};

using MonthEntries = QList<MonthEntry>;

// Throws RuntimeError when the database cannot be read, or when a stored day
// does not end in a day of month 1..31 (no page could hold it).
MonthEntries loadMonthEntries(const QString& databasePath, const QString& monthPrefix, bool includePrivate);

// The entries of one month read ahead for a page made next on this thread,
// so that something else may hold the database meanwhile (the past-log
// maker commits while its page is made): the next loadMonthEntries of the
// same file, month and privacy on this thread takes them instead of reading,
// once. They are dropped with this object.
class MonthEntriesReadAhead {
public:
    MonthEntriesReadAhead(const QString& databasePath, const QString& monthPrefix, bool includePrivate);
    ~MonthEntriesReadAhead();
    MonthEntriesReadAhead(const MonthEntriesReadAhead&) = delete;
    MonthEntriesReadAhead& operator=(const MonthEntriesReadAhead&) = delete;
};

// The days that have entries, each once, newest first.
QStringList entryDays(const MonthEntries& entries);

// For each day 1..31 the page that holds it (0 the top page, 1.. the divided
// pages, -1 no entry), and the last divided page (0 or -1 when none).
struct DayPageMap {
    std::array<int, 32> page;  // index 0 unused
    int lastPage = 0;
    DayPageMap() { page.fill(-1); }
    int operator[](int day) const { return day >= 1 && day <= 31 ? page[size_t(day)] : -1; }
};

// Days newest first, term days per page; with onTop the newest days stay on
// the top page. A term below 1 counts as a whole month.
DayPageMap buildDayPageMap(const QStringList& daysNewestFirst, int term, bool onTop);
