#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"
#include "writing/clipboard_import.h"

namespace {

const QString kOverwrite = QStringLiteral("は、すでに入力済みです。\r\n上書きしますか？");
const QString kOtherDay = QStringLiteral("その内容は、別の日の内容にしますか？(タイトルは以下の通りです)");

QString record(const QString& day, const QString& title, const QString& body) {
    return QStringLiteral("＜日付＞") + day + QStringLiteral("＜／日付＞\n＜タイトル＞") + title +
           QStringLiteral("＜／タイトル＞\n＜内容＞") + body + QStringLiteral("＜／内容＞");
}

// The three input boxes of a day, answered.
ScriptedPrompter& typeDay(ScriptedPrompter& p, const QString& y, const QString& m, const QString& d) {
    return p.expectInput(QStringLiteral("年を入力"), y).expectInput(QStringLiteral("月を入力"), m).expectInput(
        QStringLiteral("日を入力"), d);
}

QString errors(const ClipboardImport::Parsed& p) {
    QStringList list;
    for (const auto& r : p.records) list << r.error;
    return list.join(QString());
}

QString joined(const ClipboardImport::Parsed& p) {
    QStringList list;
    for (const auto& r : p.records)
        if (r.error.isEmpty()) list << r.day + QLatin1Char('|') + r.title + QLatin1Char('|') + r.body;
    return list.join(QLatin1Char(';'));
}

}  // namespace

TEST(ClipboardImportParse, RecordsAndRefusals) {
    struct Case {
        const char* name;
        QString text;
        QString records;  // "day|title|body;..." expected
        QString error;    // a piece of the message of a skipped record, or empty
    };
    const QString two = QStringLiteral("まえがき\n") + record("2005/01/02", "朝", "一行目\n\n三行目") +
                        QStringLiteral("\n\nあいだ\n") + record("2005/01/03", " 夜 ", "x") + QStringLiteral("\nあと");
    const QString twoParsed = QStringLiteral("2005/01/02|朝|一行目\r\n\r\n三行目;2005/01/03| 夜 |x");
    const Case cases[] = {
        {"two records, LF, text around them ignored, values untrimmed", two, twoParsed, {}},
        {"the same with CR LF", Files::toCrLf(two), twoParsed, {}},
        {"records with nothing between them", record("2005/01/02", "a", "b") + record("2005/01/03", "c", "d"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d"), {}},
        {"a body naming a day tag stays one record", record("2005/01/02", "a", "＜日付＞の例"),
         QStringLiteral("2005/01/02|a|＜日付＞の例"), {}},
        {"no day tag at all", QStringLiteral("ただのテキスト"), {}, {}},
        {"second body not closed", record("2005/01/02", "a", "b") + QStringLiteral("\n＜日付＞2005/01/03＜／日付＞"
                                                                                   "＜タイトル＞c＜／タイトル＞＜内容＞d"),
         QStringLiteral("2005/01/02|a|b"), QStringLiteral("2件目の日記に＜内容＞と＜／内容＞の組がありません。")},
        {"title missing", QStringLiteral("＜日付＞2005/01/02＜／日付＞＜内容＞b＜／内容＞"), {},
         QStringLiteral("1件目の日記に＜タイトル＞と＜／タイトル＞の組がありません。")},
        {"day without leading zeros", record("2005/1/2", "a", "b"), {}, QStringLiteral("1件目の日記の日付「2005/1/2」")},
        {"day not in the calendar", record("2005/02/30", "a", "b"), {}, QStringLiteral("「2005/02/30」は yyyy/mm/dd")},
        {"a bad day between good ones is skipped alone",
         record("2005/01/02", "a", "b") + record("2005/13/01", "x", "y") + record("2005/01/03", "c", "d"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d"), QStringLiteral("2件目の日記の日付「2005/13/01」")},
        {"a title missing between good ones is skipped alone",
         record("2005/01/02", "a", "b") + QStringLiteral("＜日付＞2005/01/05＜／日付＞＜内容＞z＜／内容＞") +
             record("2005/01/03", "c", "d"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d"), QStringLiteral("2件目の日記に＜タイトル＞")},
        // A closing tag missing: the record ends at the next day tag, is
        // reported and skipped, and the records around it come in whole.
        {"a body not closed takes nothing of the next record",
         record("2005/01/02", "a", "b") + QStringLiteral("\n＜日付＞2005/01/05＜／日付＞＜タイトル＞z＜／タイトル＞＜内容＞z\n") +
             record("2005/01/03", "c", "d") + "\n" + record("2005/01/04", "e", "f"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d;2005/01/04|e|f"),
         QStringLiteral("2件目の日記に＜内容＞と＜／内容＞の組がありません。")},
        {"a title not closed takes nothing of the next record",
         record("2005/01/02", "a", "b") + QStringLiteral("\n＜日付＞2005/01/05＜／日付＞＜タイトル＞z\n＜内容＞z＜／内容＞\n") +
             record("2005/01/03", "c", "d"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d"),
         QStringLiteral("2件目の日記に＜タイトル＞と＜／タイトル＞の組がありません。")},
        {"a day not closed is reported and the next record comes in",
         record("2005/01/02", "a", "b") + QStringLiteral("\n＜日付＞2005/01/05\n＜タイトル＞z＜／タイトル＞＜内容＞z＜／内容＞\n") +
             record("2005/01/03", "c", "d"),
         QStringLiteral("2005/01/02|a|b;2005/01/03|c|d"), QStringLiteral("2件目の日記に＜日付＞と＜／日付＞の組がありません。")},
    };
    for (const Case& c : cases) {
        const ClipboardImport::Parsed p = ClipboardImport::parseTagged(c.text);
        EXPECT_EQ(c.records, joined(p)) << c.name;
        if (c.error.isEmpty())
            EXPECT_TRUE(errors(p).isEmpty()) << c.name << ": " << errors(p).toStdString();
        else
            EXPECT_TRUE(errors(p).contains(c.error)) << c.name << ": " << errors(p).toStdString();
    }
}

class ClipboardImportTest : public WritingWindowTest {
protected:
    void SetUp() override {
        WritingWindowTest::SetUp();
        Shell::state().Today = QStringLiteral("2006/05/03");
    }
    bool tagged(const QString& text, int withHtml = 0) {
        return ClipboardImport::importTagged(Shell::state().databasePath(), text, withHtml);
    }
    bool plain(const QString& text, int withHtml = 0) {
        return ClipboardImport::importPlain(Shell::state().databasePath(), text, withHtml);
    }
    // Every column of every row, in day order.
    QStringList table() {
        Database db(Shell::state().databasePath());
        const Recordset rs = db.query(QStringLiteral("SELECT * FROM Contents ORDER BY Day, Number"));
        QStringList list;
        for (const QVariantList& row : rs.rows) {
            QStringList cells;
            for (const QVariant& v : row) cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
            list << cells.join(QLatin1Char('|'));
        }
        return list;
    }
    void addFullRow(const QString& day, int number) {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Weather, Genre, PublishTime) "
                               "VALUES (?, ?, 'old', 'old body', '晴れ', '旅行', '2005/01/02 10:00:00')"),
                {day, number});
    }
};

TEST_F(ClipboardImportTest, TaggedWritesDayTitleAndContentsOnly) {
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/02\r\n2005/01/03"), Prompts::vbOK,
                     Prompts::vbInformation);
    EXPECT_TRUE(tagged(record("2005/01/02", "朝", "ab\ncd\n\nef") + "\n" + record("2005/01/03", "夜", "x"), 1));
    // Columns: Day, Number, Title, Contents, Extend, Excerpt, Weather, Genre,
    // PublishTime, Private, TrackBack, ImportMark.
    EXPECT_EQ(QStringList({"2005/01/02|1|朝|<P>ab<BR>\r\ncd</P>\r\n<P>ef</P>|NULL|NULL|NULL|NULL||0||",
                           "2005/01/03|1|夜|<P>x</P>|NULL|NULL|NULL|NULL||0||"}),
              table());
    EXPECT_EQ(QStringList{QStringLiteral("Clipboardから読み込み完了！")}, status);
}

TEST_F(ClipboardImportTest, TaggedAsksForDaysThatHaveEntries) {
    addFullRow("2005/01/02", 2);
    addFullRow("2005/01/02", 1);
    addFullRow("2005/01/04", 1);
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("2005/01/02") + kOverwrite, Prompts::vbYes, Prompts::vbYesNo)
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo)
        .expectMessage(kOtherDay + QStringLiteral("\r\n[タイトル：移す]"), Prompts::vbNo)
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo)
        .expectMessage(kOtherDay, Prompts::vbYes);
    typeDay(*p, "2006", "5", "3")
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo)
        .expectMessage(kOtherDay, Prompts::vbYes);
    typeDay(*p, "2006", "05", "03")
        .expectMessage(QStringLiteral("その日付(2006/05/03)は存在します。その日付の登録は中止します。"))
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo)
        .expectMessage(kOtherDay, Prompts::vbYes);
    typeDay(*p, "2006", "", "3")
        .expectMessage(QStringLiteral("2006//3の入力を中止します。"))
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo)
        .expectMessage(kOtherDay, Prompts::vbYes);
    typeDay(*p, "2006", "2", "30")
        .expectMessage(QStringLiteral("そのフォーマットは正しくありません。"))
        .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/02\r\n2006/05/03"));
    QString text = record("2005/01/02", "上書き", "new");
    for (int i = 0; i < 5; ++i) text += "\n" + record("2005/01/04", i ? "別の日" : "移す", "moved");
    EXPECT_TRUE(tagged(text));
    EXPECT_EQ(QStringList({"2005/01/02|1|上書き|new|||晴れ|旅行|2005/01/02 10:00:00|0||",
                           "2005/01/02|2|old|old body|||晴れ|旅行|2005/01/02 10:00:00|0||",
                           "2005/01/04|1|old|old body|||晴れ|旅行|2005/01/02 10:00:00|0||",
                           "2006/05/03|1|別の日|moved|NULL|NULL|NULL|NULL||0||"}),
              table());
}

TEST_F(ClipboardImportTest, TaggedSkipsABadRecordAndStoresTheRest) {
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("クリップボードの中に有効なデータがありませんでした。"), Prompts::vbOK,
                     Prompts::vbCritical);
    EXPECT_FALSE(tagged(QStringLiteral("日付なし")));
    EXPECT_TRUE(table().isEmpty());
    EXPECT_TRUE(status.isEmpty());

    p->expectMessage(QStringLiteral("2件目の日記の日付「2005-01-03」"), Prompts::vbOK, Prompts::vbCritical)
        .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/02\r\n2005/01/04"));
    EXPECT_TRUE(tagged(record("2005/01/02", "a", "b") + "\n" + record("2005-01-03", "c", "d") + "\n" +
                       record("2005/01/04", "e", "f")));
    EXPECT_EQ(QStringList({"2005/01/02|1|a|b|NULL|NULL|NULL|NULL||0||", "2005/01/04|1|e|f|NULL|NULL|NULL|NULL||0||"}), table());
}

TEST_F(ClipboardImportTest, PlainStoresTheWholeTextOnATypedDay) {
    addFullRow("2005/01/04", 1);
    ScopedPrompts p;
    // A day that is not in the calendar, then a refused overwrite: nothing stored.
    typeDay(*p, "2005", "02", "30")
        .expectMessage(QStringLiteral("そのフォーマットは正しくありません。その日付の登録は中止します。"));
    typeDay(*p, "2005", "1", "4").expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbNo);
    EXPECT_FALSE(plain(QStringLiteral("本文")));
    EXPECT_FALSE(plain(QStringLiteral("本文")));
    EXPECT_TRUE(p->allAnswered());

    typeDay(*p, "2005", "1", "4")
        .expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbYes)
        .expectInput(QStringLiteral("タイトルを入力してください。"), "")
        .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/04"));
    typeDay(*p, "2005", "1", "5")
        .expectInput(QStringLiteral("タイトル"), "題")
        .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/05"));
    EXPECT_TRUE(plain(QStringLiteral("一\n\n二"), 1));
    EXPECT_TRUE(plain(QStringLiteral("一\r\n二\n三")));
    EXPECT_EQ(QStringList({"2005/01/04|1||<P>一</P>\r\n<P>二</P>|||晴れ|旅行|2005/01/02 10:00:00|0||",
                           "2005/01/05|1|題|一\r\n二\r\n三|NULL|NULL|NULL|NULL||0||"}),
              table());
}

// Another program changes the day while the import waits for an answer. An
// entry agreed to be overwritten that is gone by then does not swallow the
// text: it is added, where it was reported stored with nothing written. An
// entry to be added on a day that has gained one meanwhile goes under the
// day's next number, beside it, where it doubled number 1.
TEST_F(ClipboardImportTest, TheDayChangedWhileAskingLosesNothing) {
    const auto otherProgram = [this](const QString& sql) { Database(Shell::state().databasePath()).exec(sql); };
    struct Case {
        const char* name;
        bool hadEntry;
        const char* meanwhile;
        QStringList stored;
    };
    const Case cases[] = {
        {"overwritten entry deleted", true, "DELETE FROM Contents", {"1:題"}},
        {"an entry added", false, "INSERT INTO Contents (Day, Number, Title) VALUES ('2005/01/04', 1, 'theirs')",
         {"1:theirs", "2:題"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        otherProgram(QStringLiteral("DELETE FROM Contents"));
        if (c.hadEntry) addFullRow("2005/01/04", 1);
        {  // The plain import: the change comes while the title is typed.
            ScopedPrompts p;
            typeDay(*p, "2005", "1", "4");
            if (c.hadEntry) p->expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbYes);
            p->expectInput(QStringLiteral("タイトルを入力してください。"), "題")
                .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/04"));
            p->whilePrompting = [&](const QString& prompt) {
                if (prompt.startsWith(QStringLiteral("タイトル"))) otherProgram(QString::fromUtf8(c.meanwhile));
            };
            EXPECT_TRUE(plain(QStringLiteral("本文")));
        }
        EXPECT_EQ(titles(QStringLiteral("2005/01/04")), c.stored);

        // The tagged import adds a record's entry right after looking at the
        // day; it waits only on the overwrite question.
        if (!c.hadEntry) continue;
        otherProgram(QStringLiteral("DELETE FROM Contents"));
        addFullRow("2005/01/04", 1);
        {
            ScopedPrompts p;
            p->expectMessage(QStringLiteral("2005/01/04") + kOverwrite, Prompts::vbYes)
                .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/04"));
            p->whilePrompting = [&](const QString& prompt) {
                if (prompt.contains(kOverwrite)) otherProgram(QString::fromUtf8(c.meanwhile));
            };
            EXPECT_TRUE(tagged(record("2005/01/04", "題", "本文")));
        }
        EXPECT_EQ(titles(QStringLiteral("2005/01/04")), c.stored);
    }
}
