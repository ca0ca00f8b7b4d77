#include "platform/database.h"
#include "tests/support/temp_folder.h"
#include "writing/entry_store.h"

#include <gtest/gtest.h>

namespace {

class EntryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { path = makeDatabase(tmp.file(QStringLiteral("rarav.mdb"))); }
    void exec(const QString& sql, const QVariantList& params = {}) { Database(path).exec(sql, params); }
    Recordset all() {
        return Database(path).query(QStringLiteral(
            "SELECT Day, Number, Title, PublishTime, TrackBack, ImportMark FROM Contents ORDER BY Day, Number"));
    }
    TempFolder tmp;
    QString path;
};

TEST_F(EntryStoreTest, SaveAddsOnceThenUpdatesAndRewritesPublishTime) {
    EntryStore store(path);
    Entry e;
    e.day = QStringLiteral("2006/05/03");
    e.number = 2;
    e.title = QStringLiteral("first");
    e.contents = QStringLiteral("a\r\nb");
    const Entry first = store.save(e, QDateTime(QDate(2006, 5, 3), QTime(9, 5, 7)));
    exec(QStringLiteral("UPDATE Contents SET TrackBack = 'tb', ImportMark = 'im'"));
    e.title = QStringLiteral("second");
    e.isPrivate = true;
    store.save(e, QDateTime(QDate(2006, 5, 4), QTime(21, 0, 0)), first);

    const Recordset rs = all();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.integer(0, QStringLiteral("Number")), 2);
    EXPECT_EQ(rs.text(0, QStringLiteral("Title")), QStringLiteral("second"));
    EXPECT_EQ(rs.text(0, QStringLiteral("PublishTime")), QStringLiteral("2006/05/04 21:00:00"));
    EXPECT_EQ(rs.text(0, QStringLiteral("TrackBack")), QStringLiteral("tb"));
    EXPECT_EQ(rs.text(0, QStringLiteral("ImportMark")), QStringLiteral("im"));
    const std::optional<Entry> back = store.load(e.day, 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->contents, QStringLiteral("a\r\nb"));
    EXPECT_TRUE(back->isPrivate);
    EXPECT_FALSE(store.load(e.day, 1));
}

TEST_F(EntryStoreTest, NullColumnsLoadAsTheEditorShowsThem) {
    exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Excerpt, Weather, Genre) "
                        "VALUES ('2006/05/03', 1, 't', 'c', NULL, NULL, NULL, NULL)"));
    const Entry e = *EntryStore(path).load(QStringLiteral("2006/05/03"), 1);
    EXPECT_EQ(e.weather, QStringLiteral("-"));
    EXPECT_EQ(e.genre, QStringLiteral("一般"));
    EXPECT_EQ(e.extend, QString());
    EXPECT_EQ(e.excerpt, QString());
    EXPECT_FALSE(e.isPrivate);
}

// Another program may write the private flag as Jet's True (-1) or as a word.
// The pages leave out every entry whose flag is not 0, so the editor shows
// each of those as private too: shown as public, the next save would publish
// it.
TEST_F(EntryStoreTest, EveryFlagOtherThanZeroLoadsAsPrivate) {
    struct Case {
        const char* stored;
        bool isPrivate;
    };
    const Case cases[] = {{"1", true},     {"-1", true},     {"TRUE", true}, {"'True'", true}, {"'yes'", true},
                          {"'x'", true},   {"0", false},     {"FALSE", false}, {"'0'", false},  {"0.0", false}};
    EntryStore store(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        exec(QStringLiteral("DELETE FROM Contents"));
        exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Private) VALUES ('2006/05/03', 1, 't', %1)")
                 .arg(QLatin1String(c.stored)));
        EXPECT_EQ(store.load(QStringLiteral("2006/05/03"), 1)->isPrivate, c.isPrivate);
        EXPECT_EQ(store.entriesOf(QStringLiteral("2006/05/03")).first().isPrivate, c.isPrivate);
        const bool leftOutOfPages =
            Database(path).scalar(QStringLiteral("SELECT COUNT(*) FROM Contents WHERE Private = 0")).toInt() == 0;
        EXPECT_EQ(leftOutOfPages, c.isPrivate);
    }
}

TEST_F(EntryStoreTest, TextWithQuotesAndWildcardsIsStoredAndFoundAsTyped) {
    EntryStore store(path);
    Entry e;
    e.day = QStringLiteral("2006/05/03");
    e.title = QStringLiteral("it's \"100%\" a_b");
    e.genre = QStringLiteral("x'%_\"");
    store.save(e, QDateTime(QDate(2006, 5, 3), QTime(0, 0)));
    const Entry back = *store.load(e.day, 1);
    EXPECT_EQ(back.title, e.title);
    EXPECT_EQ(back.genre, e.genre);
}

TEST_F(EntryStoreTest, RemoveRenumbersTheDayInItsOrder) {
    // Stored out of order, so that the physical order differs from the numbers.
    for (const auto& [n, t] : {std::pair{3, "c"}, std::pair{1, "a"}, std::pair{4, "d"}, std::pair{2, "b"}})
        exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES ('2006/05/03', ?, ?)"),
             {n, QString::fromLatin1(t)});
    exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES ('2006/05/04', 2, 'other')"));
    EntryStore store(path);
    store.remove(QStringLiteral("2006/05/03"), store.load(QStringLiteral("2006/05/03"), 2));

    const QList<Entry> left = store.entriesOf(QStringLiteral("2006/05/03"));
    ASSERT_EQ(left.size(), 3);
    EXPECT_EQ(left[0].number, 3);
    EXPECT_EQ(left[0].title, QStringLiteral("d"));
    EXPECT_EQ(left[1].title, QStringLiteral("c"));
    EXPECT_EQ(left[2].number, 1);
    EXPECT_EQ(left[2].title, QStringLiteral("a"));
    EXPECT_EQ(store.entriesOf(QStringLiteral("2006/05/04")).first().number, 2);
}

TEST_F(EntryStoreTest, OtherYearsOnTheSameMonthAndDay) {
    struct Case {
        QStringList days;
        bool expected;
    };
    const Case cases[] = {
        {{QStringLiteral("2005/05/03"), QStringLiteral("2007/05/03")}, true},
        {{QStringLiteral("2007/05/03")}, true},
        {{QStringLiteral("2006/05/03")}, false},
        {{QStringLiteral("2006/05/04"), QStringLiteral("2005/06/03")}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        exec(QStringLiteral("DELETE FROM Contents"));
        for (const QString& d : c.days)
            exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES (?, 1, 't')"), {d});
        EXPECT_EQ(EntryStore(path).hasOtherYears(QStringLiteral("2006/05/03")), c.expected) << c.days.join(',').toStdString();
    }
}

TEST_F(EntryStoreTest, MissingDatabaseThrows) {
    EntryStore store(tmp.file(QStringLiteral("none.mdb")));
    EXPECT_THROW(store.entriesOf(QStringLiteral("2006/05/03")), RuntimeError);
    EXPECT_THROW(store.save(Entry{}, QDateTime::currentDateTime()), RuntimeError);
}

}  // namespace

namespace {

// Bytes another program stored that are not UTF-8 (a Windows tool's CP932,
// as text or as a blob) are shown with replacement characters. A save that
// leaves such a field as it was shown keeps its bytes: it wrote the
// replacement characters over them, and the text was gone for good.
TEST_F(EntryStoreTest, AFieldWhoseBytesCouldNotBeReadIsKeptUnlessEdited) {
    exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Excerpt) VALUES "
                        "('2006/05/03', 1, 'title', CAST(X'82A082A2' AS TEXT), X'8CA9', X'E38182')"));
    EntryStore store(path);
    const Entry shown = *store.load(QStringLiteral("2006/05/03"), 1);
    ASSERT_TRUE(shown.contents.contains(QChar::ReplacementCharacter));
    Entry edited = shown;
    edited.title = QStringLiteral("new title");
    edited.extend = QStringLiteral("new extend");
    store.save(edited, QDateTime(QDate(2006, 5, 3), QTime(0, 0)), shown);
    const Recordset rs = Database(path).query(QStringLiteral(
        "SELECT Title, hex(Contents), typeof(Contents), Extend, hex(Excerpt), typeof(Excerpt) FROM Contents"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.rows[0].at(0).toString(), QStringLiteral("new title"));
    EXPECT_EQ(rs.rows[0].at(1).toString(), QStringLiteral("82A082A2"));
    EXPECT_EQ(rs.rows[0].at(2).toString(), QStringLiteral("text"));
    EXPECT_EQ(rs.rows[0].at(3).toString(), QStringLiteral("new extend"));
    // A blob that reads whole is written back as the text it holds.
    EXPECT_EQ(rs.rows[0].at(4).toString(), QStringLiteral("E38182"));
    EXPECT_EQ(rs.rows[0].at(5).toString(), QStringLiteral("text"));
}

}  // namespace
