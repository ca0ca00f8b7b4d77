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
    int number = 1;
    QString title, contents, extend, excerpt;
    QString weather = QStringLiteral("-");
    QString genre = QStringLiteral("一般");
    bool isPrivate = false;
};

class EntryStore {
public:
    explicit EntryStore(QString databasePath);

    // Null columns come back as the editor shows them: Weather "-", Genre
    // "一般", the texts empty, Private false.
    std::optional<Entry> load(const QString& day, int number) const;
    QList<Entry> entriesOf(const QString& day) const;  // highest number first
    // Updates the row of the entry's day and number, or adds one; PublishTime
    // is rewritten every time. TrackBack and ImportMark are left alone.
    // Throws RuntimeError; a failure leaves the stored row as it was.
    void save(const Entry& entry, const QDateTime& when) const;
    // Deletes one entry (of rows sharing the number, the one load() gives)
    // and numbers the rest of the day 1..k in their old order, in one
    // transaction.
    void remove(const QString& day, int number) const;
    // True when a day of another year has an entry on the same month and day.
    bool hasOtherYears(const QString& day) const;

private:
    QString path_;
};
