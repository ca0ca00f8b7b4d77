// The keyword search finds its rows through the full-text index; the rows it
// shows must be exactly those the plain Like query over every entry finds.
#include "platform/dates.h"
#include "platform/search_index.h"
#include "core/shared_state.h"
#include "site/in_program_pages.h"
#include "tests/site/site_fixture.h"

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
    sql(QStringLiteral("DROP TABLE ContentsSearch; DROP TRIGGER ContentsSearchInsert;"
                       "DROP TRIGGER ContentsSearchDelete; DROP TRIGGER ContentsSearchUpdate;"));
    expectSameForAll();
    Database db(ctx.databasePath);
    EXPECT_TRUE(db.tableExists(SearchIndex::kTable));
    // The same table and triggers as the shipped schema makes.
    const QString shape = QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE name LIKE 'ContentsSearch%' "
                                         "ORDER BY name");
    const QString fresh = makeDatabase(tmp.file(QStringLiteral("fresh.mdb")));
    EXPECT_EQ(db.query(shape).rows, Database(fresh).query(shape).rows);
}
