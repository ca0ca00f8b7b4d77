#include "writing/clipboard_import.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/dates.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/shared_state.h"
#include "writing/clipboard_text.h"

#include <optional>

namespace ClipboardImport {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kFormatRefused = QStringLiteral("そのフォーマットは正しくありません。その日付の登録は中止します。");

bool isStoredDay(const QString& day) {
    const QDate d = QDate::fromString(day, QStringLiteral("yyyy/MM/dd"));
    return d.isValid() && Dates::dayText(d) == day;
}

// The value between an opening tag found at or after from and its closing
// tag; from moves past the closing tag. nullopt when either tag is missing.
std::optional<QString> takeValue(const QString& text, const QString& openingTag, qsizetype& from) {
    const qsizetype open = text.indexOf(openingTag, from);
    if (open < 0) return std::nullopt;
    const qsizetype start = open + openingTag.size();
    const QString closing = closingTag(openingTag);
    const qsizetype close = text.indexOf(closing, start);
    if (close < 0) return std::nullopt;
    from = close + closing.size();
    return text.mid(start, close - start);
}

QString bodyToStore(const QString& body, int withHtml) {
    return withHtml != 0 ? ClipboardText::AddParagraphTags(body) : body;
}

bool hasEntry(Database& db, const QString& day) {
    return db.scalar(QStringLiteral("SELECT 1 FROM Contents WHERE Day = ? LIMIT 1"), {day}).isValid();
}

// The columns the import leaves unset are Null, as in a row whose writer left
// them out: no genre label, weather picture or continuation mark on the pages,
// whatever defaults the database file gives.
void addRow(Database& db, const QString& day, const QString& title, const QString& contents) {
    db.exec(QStringLiteral("INSERT INTO Contents (Day, Title, Contents, Extend, Excerpt, Weather, Genre) "
                           "VALUES (?, ?, ?, NULL, NULL, NULL, NULL)"),
            {day, title, contents});
}

// The day's first entry (lowest number) takes the new title and body; its
// number and every other column stay. False when the day has no entry.
bool overwriteFirst(Database& db, const QString& day, const QString& title, const QString& contents) {
    return db.exec(QStringLiteral("UPDATE Contents SET Title = ?, Contents = ? WHERE rowid = "
                                  "(SELECT rowid FROM Contents WHERE Day = ? ORDER BY Number, rowid LIMIT 1)"),
                   {title, contents, day}) > 0;
}

// The entry of a record on its day, over the day's first entry or as a new
// one, as the user chose. The day may have changed while a question waited
// (another program): an entry to be overwritten that is gone is added
// instead, and one to be added on a day that has gained an entry goes under
// the day's next number beside it. Nothing is written over unasked or lost.
void storeEntry(Database& db, const QString& day, const QString& title, const QString& contents, bool overwrite) {
    Transaction t(db);
    if (!overwrite || !overwriteFirst(db, day, title, contents)) {
        if (hasEntry(db, day))
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Excerpt, Weather, "
                                   "Genre) SELECT ?, COALESCE(MAX(Number), 0) + 1, ?, ?, NULL, NULL, NULL, NULL "
                                   "FROM Contents WHERE Day = ? AND typeof(Number) = 'integer'"),
                    {day, title, contents, day});
        else
            addRow(db, day, title, contents);
    }
    t.commit();
}

bool askOverwrite(const QString& day) {
    return Prompts::MsgBox(day + QStringLiteral("は、すでに入力済みです。") + kCrLf + QStringLiteral("上書きしますか？"),
                           Prompts::vbYesNo) == Prompts::vbYes;
}

// The three input boxes for a day, with today's parts as plain numbers.
struct TypedDay {
    QString year, month, day;
    bool anyEmpty() const { return year.isEmpty() || month.isEmpty() || day.isEmpty(); }
    QString joined() const { return year + QLatin1Char('/') + month + QLatin1Char('/') + day; }
    // The typed day in its stored form; the lenient reading takes "2006/5/3".
    std::optional<QString> stored() const {
        if (anyEmpty()) return std::nullopt;
        const std::optional<QDate> d = Dates::parseDay(joined());
        if (!d) return std::nullopt;
        return Dates::dayText(*d);
    }
};

TypedDay askDay() {
    const QDate today = Dates::parseDay(Shell::state().Today).value_or(Clock::today());
    TypedDay t;
    t.year = Prompts::InputBox(QStringLiteral("年を入力してください(例:2003)。"), Prompts::kDefaultTitle,
                               QString::number(today.year()));
    t.month = Prompts::InputBox(QStringLiteral("月を入力してください(例:03)。"), Prompts::kDefaultTitle,
                                QString::number(today.month()));
    t.day = Prompts::InputBox(QStringLiteral("日を入力してください(例:01)。"), Prompts::kDefaultTitle,
                              QString::number(today.day()));
    return t;
}

// The record's entry on a day the user types instead; the day stored, or
// nullopt when the record is dropped (each reason told).
std::optional<QString> storeOnOtherDay(Database& db, const Record& r, int withHtml) {
    if (Prompts::MsgBox(QStringLiteral("その内容は、別の日の内容にしますか？(タイトルは以下の通りです)") + kCrLf +
                            QStringLiteral("[タイトル：") + r.title + QLatin1Char(']'),
                        Prompts::vbYesNo) != Prompts::vbYes)
        return std::nullopt;
    const TypedDay typed = askDay();
    if (typed.anyEmpty()) {
        Prompts::MsgBox(typed.joined() + QStringLiteral("の入力を中止します。"), Prompts::vbInformation);
        return std::nullopt;
    }
    const std::optional<QString> day = typed.stored();
    if (!day) {
        Prompts::MsgBox(kFormatRefused, Prompts::vbCritical);
        return std::nullopt;
    }
    if (hasEntry(db, *day)) {
        Prompts::MsgBox(QStringLiteral("その日付(") + *day + QStringLiteral(")は存在します。その日付の登録は中止します。"),
                        Prompts::vbCritical);
        return std::nullopt;
    }
    addRow(db, *day, r.title, bodyToStore(r.body, withHtml));
    return day;
}

void reportDone(const QStringList& days) {
    Prompts::MsgBox(QStringLiteral("読み込み完了!") + (days.isEmpty() ? QString() : kCrLf + days.join(kCrLf)),
                    Prompts::vbInformation);
    Shell::setStatusText(QStringLiteral("Clipboardから読み込み完了！"));
}

}  // namespace

QString closingTag(const QString& openingTag) { return QStringLiteral("＜／") + openingTag.mid(1); }

namespace {

// Whether the day tag at pos opens a record: a day tag inside a title or a
// body is followed by that value's closing tag before any other tag.
bool opensRecord(const QString& text, qsizetype pos) {
    const qsizetype after = pos + kDayTag.size();
    qsizetype nearest = -1;
    bool closesAValue = false;
    for (const QString& tag : {kDayTag, closingTag(kDayTag), kTitleTag, closingTag(kTitleTag), kBodyTag,
                               closingTag(kBodyTag)}) {
        const qsizetype at = text.indexOf(tag, after);
        if (at < 0 || (nearest >= 0 && at >= nearest)) continue;
        nearest = at;
        closesAValue = tag == closingTag(kTitleTag) || tag == closingTag(kBodyTag);
    }
    return !closesAValue;
}

qsizetype nextRecord(const QString& text, qsizetype from) {
    for (qsizetype at = text.indexOf(kDayTag, from); at >= 0; at = text.indexOf(kDayTag, at + kDayTag.size()))
        if (opensRecord(text, at)) return at;
    return -1;
}

// The three values of the record that text holds, in order; the error names
// what is missing or wrong.
Record readRecord(const QString& text, int n) {
    Record r;
    const auto refuse = [&](const QString& why) {
        r = Record();
        r.error = QString::number(n) + QStringLiteral("件目の日記") + why + kCrLf + QStringLiteral("その日記は読み込みません。");
        return r;
    };
    qsizetype from = 0;
    const std::pair<QString, QString*> parts[] = {{kDayTag, &r.day}, {kTitleTag, &r.title}, {kBodyTag, &r.body}};
    for (const auto& [tag, value] : parts) {
        const std::optional<QString> v = takeValue(text, tag, from);
        if (!v)
            return refuse(QStringLiteral("に") + tag + QStringLiteral("と") + closingTag(tag) +
                          QStringLiteral("の組がありません。"));
        *value = *v;
    }
    if (!isStoredDay(r.day))
        return refuse(QStringLiteral("の日付「") + r.day + QStringLiteral("」は yyyy/mm/dd の形の正しい日付ではありません。"));
    return r;
}

}  // namespace

// A record reaches up to the day tag of the next one, so that a record that
// lacks a closing tag takes nothing of the records after it.
Parsed parseTagged(const QString& input) {
    const QString text = Files::toCrLf(input);
    Parsed parsed;
    for (qsizetype start = nextRecord(text, 0); start >= 0;) {
        const qsizetype next = nextRecord(text, start + kDayTag.size());
        parsed.records << readRecord(text.mid(start, next < 0 ? -1 : next - start), int(parsed.records.size()) + 1);
        start = next;
    }
    return parsed;
}

bool importTagged(const QString& databasePath, const QString& text, int withHtml) {
    const Parsed parsed = parseTagged(text);
    if (parsed.records.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("クリップボードの中に有効なデータがありませんでした。"), Prompts::vbCritical);
        return false;
    }
    Database db(databasePath);
    QStringList stored;
    for (const Record& r : parsed.records) {
        if (!r.error.isEmpty()) {
            Prompts::MsgBox(r.error, Prompts::vbCritical);
        } else if (!hasEntry(db, r.day)) {
            storeEntry(db, r.day, r.title, bodyToStore(r.body, withHtml), false);
            stored << r.day;
        } else if (askOverwrite(r.day)) {
            storeEntry(db, r.day, r.title, bodyToStore(r.body, withHtml), true);
            stored << r.day;
        } else if (const std::optional<QString> day = storeOnOtherDay(db, r, withHtml)) {
            stored << *day;
        }
    }
    reportDone(stored);
    return true;
}

bool importPlain(const QString& databasePath, const QString& text, int withHtml) {
    const std::optional<QString> day = askDay().stored();
    if (!day) {
        Prompts::MsgBox(kFormatRefused, Prompts::vbCritical);
        return false;
    }
    Database db(databasePath);
    const bool overwrite = hasEntry(db, *day);
    if (overwrite && !askOverwrite(*day)) return false;
    // An empty title is stored as typed; a cancelled box abandons the entry,
    // and with it the overwrite just agreed to.
    const std::optional<QString> title = Prompts::InputBoxOrCancel(
        QStringLiteral("タイトルを入力してください。"), Prompts::kDefaultTitle, QStringLiteral("デフォルトのタイトル"));
    if (!title) return false;
    const QString body = bodyToStore(Files::toCrLf(text), withHtml);
    storeEntry(db, *day, *title, body, overwrite);
    reportDone({*day});
    return true;
}

}  // namespace ClipboardImport
