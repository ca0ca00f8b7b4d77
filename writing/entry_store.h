#pragma once
// The entries of a day in table Contents: load, save, delete with
// renumbering, and the check for the same month and day in other years. No
// widgets; the editor and the calendar call it. Text is returned and stored
// as it stands in the database (CR LF line breaks).
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

struct Entry {
    QString day;  // "yyyy/MM/dd"
    // 0 for a stored number the number list cannot name (0 or below, a word,
    // a fraction, beyond the integer range).
    int number = 1;
    QString title, contents, extend, excerpt;
    QString weather = QStringLiteral("-");
    QString genre = QStringLiteral("一般");
    bool isPrivate = false;
    // The stored row it was read from or saved to (its rowid); 0 for an
    // entry not stored.
    qint64 row = 0;
};

class EntryStore {
public:
    explicit EntryStore(QString databasePath);

    // Null columns come back as the editor shows them: Weather "-", Genre
    // "一般", the texts empty, Private false.
    std::optional<Entry> load(const QString& day, int number) const;
    // Highest number first; those the number list cannot name after the rest.
    QList<Entry> entriesOf(const QString& day) const;
    // Stores the entry. `shown` is the stored entry its fields were read from
    // (as read, or as the last save returned it), none for a new entry. Its
    // row takes the entry, with the number it has there, as long as it is
    // there: another program may have numbered the day anew or written the
    // table anew meanwhile. Otherwise (a new entry, or one deleted meanwhile)
    // a row is added under the entry's number, or under the day's next
    // number when another row holds that one: no other entry is written
    // over. PublishTime is rewritten every time; TrackBack and ImportMark are
    // left alone. Returns the entry as stored. Throws RuntimeError; a failure
    // leaves the stored rows as they were.
    Entry save(const Entry& entry, const QDateTime& when, const std::optional<Entry>& shown = std::nullopt) const;
    // Deletes the stored entry `shown` (found as save() finds it; nothing when
    // it is gone or none is given) and numbers the rest of the day 1..k in
    // their old order, in one transaction.
    void remove(const QString& day, const std::optional<Entry>& shown) const;
    // True when a day of another year has an entry on the same month and day.
    bool hasOtherYears(const QString& day) const;

private:
    QString path_;
};
