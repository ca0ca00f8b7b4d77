#include "writing/entry_store.h"

#include "platform/database.h"
#include "platform/dates.h"
#include "platform/runtime_error.h"

#include <array>
#include <climits>
#include <iterator>

namespace {

// The pages leave out every row whose flag is not 0, whatever another
// program wrote there (Jet's True -1, a word): each of those is private here
// too, or the next save would publish it. Null stays public.
const QString kColumns = QStringLiteral(
    "rowid AS EntryRow, Day, Number, Title, Contents, Extend, Excerpt, Weather, Genre, Private <> 0 AS PrivateFlag");
// A number the editor's number list can name.
const QString kListedNumber = QStringLiteral("(typeof(Number) = 'integer' AND Number BETWEEN 1 AND 2147483647)");

int numberFrom(const QVariant& stored) {
    if (stored.typeId() != QMetaType::LongLong) return 0;
    const qlonglong n = stored.toLongLong();
    return n >= 1 && n <= INT_MAX ? int(n) : 0;
}

Entry entryFrom(const Recordset& rs, qsizetype row) {
    Entry e;
    e.row = rs.value(row, QStringLiteral("EntryRow")).toLongLong();
    e.day = rs.text(row, QStringLiteral("Day"));
    e.number = numberFrom(rs.value(row, QStringLiteral("Number")));
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

bool sameTexts(const Entry& a, const Entry& b) {
    return a.title == b.title && a.contents == b.contents && a.extend == b.extend && a.excerpt == b.excerpt;
}

// The row a shown entry was read from, with the number it has now; none when
// it is gone. Its rowid, while that row keeps the entry's day and number (its
// texts may have been changed there: the later save stands); else a row of
// the day that holds the texts it was read with, which follows the entry
// through a renumbering or a rebuild that gave it another rowid.
std::optional<Entry> storedRowOf(Database& db, const Entry& shown) {
    if (shown.row > 0) {
        const Recordset at =
            db.query(QStringLiteral("SELECT Day, Number FROM Contents WHERE rowid = ?"), {shown.row});
        if (!at.isEmpty() && at.text(0, QStringLiteral("Day")) == shown.day &&
            numberFrom(at.value(0, QStringLiteral("Number"))) == shown.number) {
            Entry e;
            e.row = shown.row;
            e.number = shown.number;
            return e;
        }
    }
    const Recordset day = db.query(
        QStringLiteral("SELECT %1 FROM Contents WHERE Day = ? ORDER BY rowid = ? DESC, Number = ? DESC, rowid")
            .arg(kColumns),
        {shown.day, shown.row, shown.number});
    for (qsizetype i = 0; i < day.size(); ++i) {
        const Entry e = entryFrom(day, i);
        if (sameTexts(e, shown)) return e;
    }
    return std::nullopt;
}

// The text columns the editor shows, with the member each fills.
struct TextColumn {
    const char* name;
    QString Entry::*field;
};
constexpr TextColumn kTextColumns[] = {{"Title", &Entry::title},
                                       {"Contents", &Entry::contents},
                                       {"Extend", &Entry::extend},
                                       {"Excerpt", &Entry::excerpt}};

// The text columns of a row that a save of `edited` leaves as they are: bytes
// another program stored that are not UTF-8 were shown with replacement
// characters, and written back they would be those characters for good.
// Such a column keeps its bytes while the field is not edited and the row
// still holds what was shown.
std::array<bool, std::size(kTextColumns)> unreadableAndUnedited(Database& db, qint64 row, const Entry& shown,
                                                                 const Entry& edited) {
    QString raw;
    for (const TextColumn& c : kTextColumns) raw += QStringLiteral(", CAST(%1 AS BLOB)").arg(QLatin1String(c.name));
    const Recordset rs =
        db.query(QStringLiteral("SELECT %1%2 FROM Contents WHERE rowid = ?").arg(kColumns, raw), {row});
    std::array<bool, std::size(kTextColumns)> kept{};
    if (rs.isEmpty()) return kept;
    const Entry now = entryFrom(rs, 0);
    const qsizetype firstRaw = rs.columns.size() - std::size(kTextColumns);
    for (qsizetype i = 0; i < qsizetype(std::size(kTextColumns)); ++i) {
        const TextColumn& c = kTextColumns[i];
        const QVariant bytes = rs.rows[0].at(firstRaw + i);
        kept[i] = !bytes.isNull() && bytes.toByteArray() != (shown.*c.field).toUtf8() &&
                  edited.*c.field == shown.*c.field && now.*c.field == shown.*c.field;
    }
    return kept;
}

// The number a new row of the day takes: the one asked for while no row
// holds it, else the one after the day's highest.
int freeNumber(Database& db, const QString& day, int wanted) {
    if (wanted >= 1 &&
        !db.scalar(QStringLiteral("SELECT 1 FROM Contents WHERE Day = ? AND Number = ? LIMIT 1"), {day, wanted})
             .isValid())
        return wanted;
    const qlonglong highest =
        db.scalar(QStringLiteral("SELECT MAX(Number) FROM Contents WHERE Day = ? AND %1").arg(kListedNumber), {day})
            .toLongLong();
    if (highest >= INT_MAX)
        throw RuntimeError(ErrorNumber::Overflow, day + QStringLiteral(" has no free entry number left"));
    return int(highest) + 1;
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
        QStringLiteral("SELECT %1 FROM Contents WHERE Day = ? ORDER BY %2 DESC, Number DESC, rowid")
            .arg(kColumns, kListedNumber),
        {day});
    QList<Entry> entries;
    entries.reserve(rs.size());
    for (qsizetype i = 0; i < rs.size(); ++i) entries.append(entryFrom(rs, i));
    return entries;
}

Entry EntryStore::save(const Entry& e, const QDateTime& when, const std::optional<Entry>& shown) const {
    Database db(path_);
    Transaction t(db);
    Entry stored = e;
    const std::optional<Entry> at = shown && shown->day == e.day ? storedRowOf(db, *shown) : std::nullopt;
    if (at) {
        // The row keeps its number: one another program gave it stands.
        const auto kept = unreadableAndUnedited(db, at->row, *shown, e);
        QStringList sets{QStringLiteral("Day = ?")};
        QVariantList values{e.day};
        for (qsizetype i = 0; i < qsizetype(std::size(kTextColumns)); ++i) {
            if (kept[i]) continue;
            sets << QLatin1String(kTextColumns[i].name) + QStringLiteral(" = ?");
            values << e.*kTextColumns[i].field;
        }
        sets << QStringLiteral("Weather = ?") << QStringLiteral("Genre = ?") << QStringLiteral("PublishTime = ?")
             << QStringLiteral("Private = ?");
        values << e.weather << e.genre << Dates::timeText(when) << (e.isPrivate ? 1 : 0) << at->row;
        db.exec(QStringLiteral("UPDATE Contents SET %1 WHERE rowid = ?").arg(sets.join(QStringLiteral(", "))), values);
        stored.row = at->row;
        stored.number = at->number;
    } else {
        stored.number = freeNumber(db, e.day, e.number);
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Title, Contents, Extend, Excerpt, Weather, Genre, "
                               "Number, PublishTime, Private) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {e.day, e.title, e.contents, e.extend, e.excerpt, e.weather, e.genre, stored.number,
                 Dates::timeText(when), e.isPrivate ? 1 : 0});
        stored.row = db.lastInsertId();
    }
    t.commit();
    return stored;
}

void EntryStore::remove(const QString& day, const std::optional<Entry>& shown) const {
    Database db(path_);
    Transaction t(db);
    // The shown entry alone: not rows another program stored under its number
    // (all of a day's entries under one default number, or one that took the
    // number after a renumbering there).
    if (shown && shown->day == day)
        if (const std::optional<Entry> at = storedRowOf(db, *shown))
            db.exec(QStringLiteral("DELETE FROM Contents WHERE rowid = ?"), {at->row});
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
