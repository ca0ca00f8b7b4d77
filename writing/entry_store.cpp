#include "writing/entry_store.h"

#include "platform/database.h"
#include "platform/dates.h"

namespace {

// The pages leave out every row whose flag is not 0, whatever another
// program wrote there (Jet's True -1, a word): each of those is private here
// too, or the next save would publish it. Null stays public.
const QString kColumns = QStringLiteral(
    "Day, Number, Title, Contents, Extend, Excerpt, Weather, Genre, Private <> 0 AS PrivateFlag");

Entry entryFrom(const Recordset& rs, qsizetype row) {
    Entry e;
    e.day = rs.text(row, QStringLiteral("Day"));
    e.number = rs.integer(row, QStringLiteral("Number"));
    e.title = rs.text(row, QStringLiteral("Title"));
    e.contents = rs.text(row, QStringLiteral("Contents"));
    e.extend = rs.text(row, QStringLiteral("Extend"));
    e.excerpt = rs.text(row, QStringLiteral("Excerpt"));
    const QVariant weather = rs.value(row, QStringLiteral("Weather"));
    e.weather = weather.isNull() ? QStringLiteral("-") : weather.toString();
    const QVariant genre = rs.value(row, QStringLiteral("Genre"));
    e.genre = genre.isNull() ? QStringLiteral("一般") : genre.toString();
    e.isPrivate = rs.value(row, QStringLiteral("PrivateFlag")).toInt() != 0;
    return e;
}

}  // namespace

EntryStore::EntryStore(QString databasePath) : path_(std::move(databasePath)) {}

std::optional<Entry> EntryStore::load(const QString& day, int number) const {
    Database db(path_, Database::Mode::ReadOnly);
    const Recordset rs = db.query(
        QStringLiteral("SELECT %1 FROM Contents WHERE Number = ? AND Day = ? ORDER BY rowid").arg(kColumns),
        {number, day});
    if (rs.isEmpty()) return std::nullopt;
    return entryFrom(rs, 0);
}

QList<Entry> EntryStore::entriesOf(const QString& day) const {
    Database db(path_, Database::Mode::ReadOnly);
    const Recordset rs = db.query(
        QStringLiteral("SELECT %1 FROM Contents WHERE Day = ? ORDER BY Number DESC, rowid").arg(kColumns), {day});
    QList<Entry> entries;
    entries.reserve(rs.size());
    for (qsizetype i = 0; i < rs.size(); ++i) entries.append(entryFrom(rs, i));
    return entries;
}

void EntryStore::save(const Entry& e, const QDateTime& when) const {
    Database db(path_);
    Transaction t(db);
    const QVariantList values{e.day,    e.title, e.contents,   e.extend,           e.excerpt,
                              e.weather, e.genre, e.number, Dates::timeText(when), e.isPrivate ? 1 : 0};
    const QVariant existing = db.scalar(
        QStringLiteral("SELECT rowid FROM Contents WHERE Day = ? AND Number = ? ORDER BY rowid LIMIT 1"),
        {e.day, e.number});
    if (existing.isValid()) {
        QVariantList params = values;
        params << existing;
        db.exec(QStringLiteral("UPDATE Contents SET Day = ?, Title = ?, Contents = ?, Extend = ?, Excerpt = ?, "
                               "Weather = ?, Genre = ?, Number = ?, PublishTime = ?, Private = ? WHERE rowid = ?"),
                params);
    } else {
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Title, Contents, Extend, Excerpt, Weather, Genre, "
                               "Number, PublishTime, Private) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
    t.commit();
}

void EntryStore::remove(const QString& day, int number) const {
    Database db(path_);
    Transaction t(db);
    // The row that load() and save() take for the number, and no other: a
    // program that leaves Number to its default gives a day's entries one
    // number, and the confirmation named one entry.
    db.exec(QStringLiteral("DELETE FROM Contents WHERE rowid = "
                           "(SELECT rowid FROM Contents WHERE Day = ? AND Number = ? ORDER BY rowid LIMIT 1)"),
            {day, number});
    const Recordset rest =
        db.query(QStringLiteral("SELECT rowid FROM Contents WHERE Day = ? ORDER BY Number, rowid"), {day});
    for (qsizetype i = 0; i < rest.size(); ++i)
        db.exec(QStringLiteral("UPDATE Contents SET Number = ? WHERE rowid = ?"), {int(i + 1), rest.rows[i].at(0)});
    t.commit();
}

bool EntryStore::hasOtherYears(const QString& day) const {
    const std::optional<QDate> date = Dates::parseDay(day);
    if (!date) return false;
    Database db(path_, Database::Mode::ReadOnly);
    const QString pattern = QStringLiteral("%") + date->toString(QStringLiteral("/MM/dd")) + QStringLiteral("%");
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM Contents WHERE Day LIKE ? AND Day <> ?"), {pattern, day})
               .toInt() > 0;
}
