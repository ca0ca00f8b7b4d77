#pragma once
// Entries brought in from clipboard text: the tagged format of any number of
// entries, or one plain text as one entry. No widgets: the caller reads the
// clipboard and hands over its text. Only Day, Title and Contents are written;
// every other column keeps the database's default.
#include <QList>
#include <QString>

namespace ClipboardImport {

// Tag characters are full-width.
inline const QString kDayTag = QStringLiteral("＜日付＞");
inline const QString kTitleTag = QStringLiteral("＜タイトル＞");
inline const QString kBodyTag = QStringLiteral("＜内容＞");
// "＜／" followed by the opening tag less its first character.
QString closingTag(const QString& openingTag);

struct Record {
    QString day, title, body;
};

// The records of a tagged text in order, with CR LF line ends. Text outside the
// tags is ignored. A record without all three values in order, or whose day
// is not a real "yyyy/mm/dd" day, makes the whole text malformed: error then
// says which record and why, and records is empty.
struct Parsed {
    QList<Record> records;
    QString error;
};
Parsed parseTagged(const QString& text);

// Every record, asking before a day that has an entry is overwritten and
// offering another day instead. Writes nothing when the text holds no record
// or is malformed (after a message), and then returns false. Throws
// RuntimeError when the database fails; rows stored before stay.
bool importTagged(const QString& databasePath, const QString& text, int withHtml);
// The whole text as the body of one entry on a day and with a title the user
// types; true when stored.
bool importPlain(const QString& databasePath, const QString& text, int withHtml);

}  // namespace ClipboardImport
