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
    // Set for a record without all three values in order, or whose day is not
    // a real "yyyy/mm/dd" day: which record and why; it is skipped.
    QString error;
};

// The records of a tagged text in order, with CR LF line ends. Text outside the
// tags is ignored.
struct Parsed {
    QList<Record> records;
};
Parsed parseTagged(const QString& text);

// Every record, asking before a day that has an entry is overwritten and
// offering another day instead; a malformed record is skipped after its
// message. Writes nothing when the text holds no record (after a message), and
// then returns false. Throws
// RuntimeError when the database fails; rows stored before stay.
bool importTagged(const QString& databasePath, const QString& text, int withHtml);
// The whole text as the body of one entry on a day and with a title the user
// types; true when stored. A cancelled title box stores nothing.
bool importPlain(const QString& databasePath, const QString& text, int withHtml);

}  // namespace ClipboardImport
