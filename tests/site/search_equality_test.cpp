// The keyword search finds its rows through the full-text index; the rows it
// shows must be exactly those the plain Like query over every entry finds.
#include "platform/dates.h"
#include "core/database_upgrade.h"
#include "core/shared_state.h"
#include "site/in_program_pages.h"
#include "tests/core/database_fixtures.h"
#include "tests/site/site_fixture.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

class SearchEquality : public SiteFixture {
protected:
    Shell::SharedState saved;
    void SetUp() override {
        SiteFixture::SetUp();
        saved = Shell::state();
        Shell::state().UserPath = ctx.userPath;
        Shell::state().CustIniFile = ctx.custIni;
        struct E { const char* day; const char* title; const char* contents; const char* genre; };
        const E entries[] = {
            {"2005/01/02", "散歩の日", "公園まで散歩した。", "日記"},
            {"2005/01/03", "雨", "家で<b>読書</b>。散", "読書"},
            {"2005/02/10", "Good Day", "a GOOD day at the Office", "仕事"},
            {"2005/02/11", "good-day", "gooday and goodday", "仕事"},
            {"2005/03/01", "100%達成", "進捗は100% です。a_b と axb", "仕事"},
            {"2005/03/02", "割合", "1000 と 10% と a_b_c", "日記"},
            {"2005/03/03", "ＡＢＣ", "全角のａｂｃ、ＡＢＣ", "Diary"},
            {"2005/03/04", "絵文字", "猫😀猫 と \"引用\" と \\ の字", "diary"},
            {"2005/04/05", "題", nullptr, "日記"},
            {"2005/04/06", nullptr, "散歩道を歩く", "旅行"},
            {"2006/04/07", "散", "歩", "旅行"},
        };
        int number = 1;
        for (const E& e : entries) entry(e.day, number++ % 2 + 1, e.title, "晴", e.genre, 0, e.contents);
    }
    void TearDown() override { Shell::state() = saved; }

    // The rows the search shows, as "day_number" anchors in page order.
    QStringList shown(const QString& keyword, bool usePeriod = false, const QString& from = {},
                      const QString& to = {}, bool useGenre = false, const QString& genre = {}) {
        const QString page = tmp.file(QStringLiteral("findtmp.htm"));
        HTML0::MakeSearchResultPage(page, keyword, usePeriod, from, to, useGenre, genre);
        QStringList anchors;
        static const QRegularExpression name(QStringLiteral("<A NAME=\"([^\"]+)\">"));
        for (auto m = name.globalMatch(linesOf(page).join(QLatin1Char('\n'))); m.hasNext();)
            anchors << m.next().captured(1);
        return anchors;
    }

    // The search as it was before the index: Like over every entry.
    QStringList byLike(const QString& keyword, bool usePeriod = false, const QString& from = {},
                       const QString& to = {}, bool useGenre = false, const QString& genre = {}) {
        QString sql = QStringLiteral("SELECT Day, Number FROM Contents "
                                     "WHERE (Contents Like ?1 Escape '\\' OR Title Like ?1 Escape '\\')");
        QVariantList params{QStringLiteral("%") + Sql::escapeLike(keyword) + QStringLiteral("%")};
        if (useGenre) {
            sql += QStringLiteral(" AND Genre Like ?2 Escape '\\'");
            params << Sql::escapeLike(genre);
        }
        const Recordset rs = Database(ctx.databasePath).query(sql + QStringLiteral(" ORDER BY Day DESC, Number"), params);
        QStringList anchors;
        for (const QVariantList& r : rs.rows) {
            const auto d = Dates::parseDay(r[0].toString());
            if (usePeriod && (!d || *d < *Dates::parseDay(from) || *d > *Dates::parseDay(to))) continue;
            anchors << r[0].toString() + QLatin1Char('_') + r[1].toString();
        }
        return anchors;
    }

    struct Outside {
        int exitCode = -1;
        QString output, error;
    };
    // The sqlite3 shell, with nothing of the program registered, running a
    // script on the diary (or another file).
    Outside outside(const QString& script, const QString& file = {}) {
        QProcess p;
        p.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-bail"), QStringLiteral("-batch"), file.isEmpty() ? ctx.databasePath : file});
        p.write(script.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    // SQLite's own checks of the file and of the index find nothing wrong,
    // and the last search left the index holding every row (it did not fall
    // back to reading them all).
    void expectSound() {
        const Outside check = outside(QStringLiteral(
            "PRAGMA integrity_check; INSERT INTO ContentsPairs (ContentsPairs) VALUES ('integrity-check');"
            "SELECT count(*) FROM ContentsPairsLog;"
            "SELECT (SELECT count(*) FROM Contents) = (SELECT count(*) FROM ContentsPairsRows);"));
        EXPECT_EQ(check.exitCode, 0) << check.error.toStdString();
        EXPECT_EQ(check.output, QStringLiteral("ok\n0\n1\n"));
    }
    // Inserts, updates and deletes through the sqlite3 shell; the search then
    // finds exactly the changed rows.
    void changeFromOutside() {
        const Outside change = outside(QStringLiteral(
            "INSERT INTO Contents (Day, Number, Title, Contents) VALUES ('2008/08/08', 1, '外から', '散歩道を走る');"
            "UPDATE Contents SET Contents = '散歩はやめた' WHERE Day = '2005/01/02';"
            "UPDATE Contents SET Title = 'GOOD DAY!', Day = '2005/02/09' WHERE Day = '2005/02/10';"
            "UPDATE Contents SET rowid = rowid + 1000 WHERE Day = '2005/03/01';"
            "DELETE FROM Contents WHERE Day = '2006/04/07';"));
        ASSERT_EQ(change.exitCode, 0) << change.error.toStdString();
        expectSameForAll();
        auto days = [this](const char* keyword) {
            QStringList found = shown(QString::fromUtf8(keyword));
            for (QString& anchor : found) anchor.truncate(10);
            return found;
        };
        EXPECT_EQ(days("道を走"), QStringList({QStringLiteral("2008/08/08")}));
        EXPECT_EQ(days("はやめ"), QStringList({QStringLiteral("2005/01/02")}));
        EXPECT_EQ(days("y!"), QStringList({QStringLiteral("2005/02/09")}));
        expectSound();
    }

    void expectSameForAll() {
        const char* keywords[] = {"散歩", "散", "歩", "公園まで", "該当", "good day", "GOOD", "gOoD", "goodd", "Office",
                                  "100%", "%", "10%", "a_b", "_", "a_b_c", "ＡＢＣ", "ａｂｃ", "abc", "😀猫", "猫😀",
                                  "\"引用\"", "\"", "\\", "\\ の", "日 ", " ", "の日", "題", "散歩道を歩く", "2005"};
        for (const char* k : keywords) {
            const QString keyword = QString::fromUtf8(k);
            EXPECT_EQ(shown(keyword), byLike(keyword)) << k;
        }
    }
};

}  // namespace

TEST_F(SearchEquality, KeywordsFindTheRowsLikeFinds) {
    expectSameForAll();
    // Genre and period limits apply on top of the index.
    const struct { const char* keyword; bool period; const char* from; const char* to; bool genre; const char* name; } limited[] = {
        {"散歩", true, "2005/1/1", "2005/3/31", false, ""},
        {"good", true, "2005/02/11", "2005/02/11", false, ""},
        {"100%", false, "", "", true, "仕事"},
        {"ＡＢＣ", false, "", "", true, "diary"},  // Like ignores the case of ASCII genres
        {"散歩", true, "2005/1/1", "2006/12/31", true, "旅行"},
        {"_", true, "2005/3/1", "2005/3/2", true, "日記"},
    };
    for (const auto& l : limited) {
        const QString k = QString::fromUtf8(l.keyword);
        EXPECT_EQ(shown(k, l.period, QLatin1String(l.from), QLatin1String(l.to), l.genre, QString::fromUtf8(l.name)),
                  byLike(k, l.period, QLatin1String(l.from), QLatin1String(l.to), l.genre, QString::fromUtf8(l.name)))
            << l.keyword;
    }
    EXPECT_EQ(shown(QStringLiteral("散歩")).size(), 2);
}

TEST_F(SearchEquality, IndexFollowsChangedAndDeletedEntries) {
    sql(QStringLiteral("UPDATE Contents SET Contents = '散歩はやめた' WHERE Day = '2005/01/02';"
                       "UPDATE Contents SET Title = 'GOOD DAY!' WHERE Day = '2005/03/02';"
                       "DELETE FROM Contents WHERE Day = '2005/04/06';"
                       "UPDATE Contents SET Genre = '旅行', Number = 5 WHERE Day = '2005/01/03';"));
    expectSameForAll();
    EXPECT_EQ(shown(QStringLiteral("散歩道")), QStringList());
    EXPECT_EQ(shown(QStringLiteral("good day")).size(), 2);
}

// A database written before the index existed gets it at its first search.
TEST_F(SearchEquality, DatabaseWithoutTheIndexGetsItBuilt) {
    sql(QStringLiteral("DROP TABLE ContentsPairs; DROP TABLE ContentsPairsRows; DROP TABLE ContentsPairsLog;"
                       "DROP TRIGGER ContentsPairsInsert; DROP TRIGGER ContentsPairsDelete;"
                       "DROP TRIGGER ContentsPairsUpdate;"));
    expectSameForAll();
    // The same tables and triggers as the shipped schema makes.
    Database db(ctx.databasePath);
    const QString shape = QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE name LIKE 'ContentsPairs%' "
                                         "ORDER BY name");
    const QString fresh = makeDatabase(tmp.file(QStringLiteral("fresh.mdb")));
    EXPECT_EQ(db.query(shape).rows.size(), 6 + 3);  // with the FTS5 table's own three
    EXPECT_EQ(db.query(shape).rows, Database(fresh).query(shape).rows);
}

// The index of earlier builds needed a tokenizer only the program has, so
// that no other client could write Contents; the first search replaces it.
TEST_F(SearchEquality, IndexOfAnEarlierBuildIsReplaced) {
    sql(QStringLiteral("DROP TABLE ContentsPairs; DROP TABLE ContentsPairsRows; DROP TABLE ContentsPairsLog;"
                       "DROP TRIGGER ContentsPairsInsert; DROP TRIGGER ContentsPairsDelete;"
                       "DROP TRIGGER ContentsPairsUpdate;"
                       "CREATE VIRTUAL TABLE ContentsSearch USING fts5(Title, Contents, content='Contents', "
                       "tokenize='rarav_pairs', detail='full');"
                       "CREATE TRIGGER ContentsSearchInsert AFTER INSERT ON Contents BEGIN"
                       "  INSERT INTO ContentsSearch (rowid, Title, Contents) VALUES (new.rowid, new.Title, new.Contents);"
                       "END;"
                       "INSERT INTO ContentsSearch (ContentsSearch) VALUES ('rebuild');"));
    entry("2007/01/01", 1, "前の版", "晴", "日記", 0, "散歩の記録");
    const Outside refused = outside(QStringLiteral("INSERT INTO Contents (Day, Title) VALUES ('2007/01/02', '外');"));
    EXPECT_TRUE(refused.error.contains(QStringLiteral("no such tokenizer"))) << refused.error.toStdString();
    expectSameForAll();
    EXPECT_FALSE(Database(ctx.databasePath).tableExists(QStringLiteral("ContentsSearch")));
    changeFromOutside();
}

// The sqlite3 shell writes a new diary before the program's first search and
// after it; VACUUM, .dump and integrity_check work with nothing registered.
TEST_F(SearchEquality, TheSqliteShellWritesAndTheSearchFollows) {
    // A diary in a folder whose name needs more than ASCII.
    Shell::state().UserPath = tmp.file(QStringLiteral("〜¥−🍣/"));
    Files::makeFolder(Shell::state().UserPath);
    ctx.databasePath = makeDatabase(Shell::state().UserPath + QStringLiteral("rarav.mdb"));
    ASSERT_EQ(outside(QStringLiteral(
                          "INSERT INTO Contents (Day, Number, Title, Contents) VALUES"
                          " ('2005/01/02', 1, '散歩の日', '公園まで散歩した。'),"
                          " ('2005/02/10', 1, 'Good Day', 'a GOOD day at the Office'),"
                          " ('2005/03/01', 2, '100%達成', '進捗は100% です。a_b と axb'),"
                          " ('2005/03/04', 1, '絵文字', '猫😀猫 と \"引用\" と \\ の字'),"
                          " ('2006/04/07', 1, '散', '歩');"))
                  .exitCode,
              0);
    expectSameForAll();
    EXPECT_EQ(shown(QStringLiteral("散歩")), QStringList({QStringLiteral("2005/01/02_1")}));
    changeFromOutside();
    const Outside vacuum = outside(QStringLiteral("VACUUM;"));
    EXPECT_EQ(vacuum.exitCode, 0) << vacuum.error.toStdString();
    expectSameForAll();
    const Outside dump = outside(QStringLiteral(".dump"));
    EXPECT_EQ(dump.exitCode, 0) << dump.error.toStdString();
    EXPECT_TRUE(dump.output.contains(QStringLiteral("INSERT INTO Contents")));
}

// A diary restored from a dump numbers its rows afresh, without the
// triggers; the index is then built again instead of naming other rows.
TEST_F(SearchEquality, DiaryRestoredFromADumpIsSearchedRight) {
    expectSameForAll();
    sql(QStringLiteral("DELETE FROM Contents WHERE Day <= '2005/02/10'"));
    expectSameForAll();
    const Outside dump = outside(QStringLiteral(".dump"));
    ASSERT_EQ(dump.exitCode, 0);
    const QString restored = tmp.file(QStringLiteral("restored.mdb"));
    ASSERT_EQ(outside(dump.output, restored).exitCode, 0);
    ASSERT_TRUE(QFile::remove(ctx.databasePath));
    ASSERT_TRUE(QFile::rename(restored, ctx.databasePath));
    EXPECT_EQ(Database(ctx.databasePath).scalar(QStringLiteral("SELECT min(rowid) FROM Contents")).toInt(), 1);
    expectSameForAll();
    expectSound();
}

// A change the log cannot account for (a REPLACE over an existing row fires
// no delete trigger) never takes words out of the index that it does not
// hold; the index is built afresh.
TEST_F(SearchEquality, ChangeTheLogMissesGetsTheIndexBuiltAfresh) {
    expectSameForAll();
    ASSERT_EQ(outside(QStringLiteral("INSERT OR REPLACE INTO Contents (rowid, Day, Number, Title, Contents) "
                                     "SELECT rowid, Day, Number, '置換', '入れ替えた本文' FROM Contents "
                                     "WHERE Day = '2005/01/02';"))
                  .exitCode,
              0);
    expectSameForAll();
    EXPECT_EQ(shown(QStringLiteral("入れ替え")), QStringList({QStringLiteral("2005/01/02_2")}));
    expectSound();

    // A text changed while the trigger was away: the old text the log holds
    // at the next change is not what the index holds.
    const QString trigger =
        Database(ctx.databasePath)
            .scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'ContentsPairsUpdate'"))
            .toString();
    ASSERT_EQ(outside(QStringLiteral("DROP TRIGGER ContentsPairsUpdate;"
                                     "UPDATE Contents SET Contents = '知らぬ間の本文' WHERE Day = '2005/01/03';") +
                      trigger +
                      QStringLiteral(";UPDATE Contents SET Contents = '記録された本文' WHERE Day = '2005/01/03';"))
                  .exitCode,
              0);
    expectSameForAll();
    EXPECT_EQ(shown(QStringLiteral("記録された")).size(), 1);
    expectSound();
}

// The optimise command's rebuild makes the index while it copies the rows:
// the search of the rebuilt diary, and of changes made to it from outside
// afterwards, finds what Like finds.
TEST_F(SearchEquality, RebuiltDiaryIsSearchedRight) {
    makeDatabase(ctx.myPath + QStringLiteral("default.mdb"));
    DbFixtures::Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(230, progress, {ctx.userPath, ctx.myPath, ctx.dataPath});
    expectSameForAll();
    expectSound();
    changeFromOutside();
}

// A keyword in most entries of a long diary is read through the day index and
// converted on a second thread: the page still lists the rows Like finds, in
// its order, rows of the same day and number in the order of the table.
TEST_F(SearchEquality, AKeywordInMostEntriesFindsTheRowsLikeFinds) {
    Database db(ctx.databasePath);
    db.begin();
    for (int i = 0; i < 1200; ++i) {
        const QString day = QStringLiteral("20%1/%2/%3")
                                .arg(10 + i % 7)
                                .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Genre) VALUES (?, ?, ?, ?, ?)"),
                {day, 1 + i % 2, QStringLiteral("%1日のこと").arg(i),
                 i % 10 == 0   ? QStringLiteral("家にいた")
                 : i % 2 == 1 ? QStringLiteral("公園まで散歩した。木陰で休んだ。")
                              : QStringLiteral("公園まで散歩した。"),
                 i % 3 == 0 ? QStringLiteral("旅行") : QStringLiteral("日記")});
    }
    db.commit();
    // In most rows, in half of them (more than a few, fewer than the file
    // is read mapped for), in few.
    for (const char* k : {"散歩", "のこと", "木陰", "1日", "家に"}) {
        const QString keyword = QString::fromUtf8(k);
        EXPECT_EQ(shown(keyword), byLike(keyword)) << k;
        EXPECT_EQ(shown(keyword, true, "2012/3/1", "2014/6/30", true, QStringLiteral("旅行")),
                  byLike(keyword, true, "2012/3/1", "2014/6/30", true, QStringLiteral("旅行")))
            << k;
    }
    EXPECT_EQ(shown(QStringLiteral("散歩")).size(), 1080 + 2);
    EXPECT_EQ(shown(QStringLiteral("木陰")).size(), 600);
}
