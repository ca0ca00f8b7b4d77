#include "site/in_program_pages.h"

#include "platform/codepage.h"
#include "platform/database.h"
#include "core/shared_state.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class InProgramPages : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = Shell::state();
        s = Shell::SharedState();
        s.UserPath = t.path();
        s.CustIniFile = t.file("Customize.ini");
        makeDatabase(s.databasePath());
        design("[DayList]\nUse=1\nAddTitle=1\n[Contents]\nHTMLType=0\n[General]\nDayTitleAlign=Left\n");
    }
    void TearDown() override { Shell::state() = Shell::SharedState(); }

    void design(const QString& ini) { t.writeText("Customize.ini", ini); }
    void entry(const QString& day, int number, const QString& title, const QString& body,
               const QString& extend = QString(), const QString& genre = QString(), const QString& weather = QString(),
               bool isPrivate = false) {
        Database db(Shell::state().databasePath());
        // A null text stands for a missing value, the empty text for an empty one.
        auto v = [](const QString& text) { return text.isNull() ? QVariant() : QVariant(text); };
        db.exec("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Genre, Weather, Private) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                {day, number, v(title), v(body), v(extend), v(genre), v(weather), isPrivate});
    }
    QStringList lines(const QString& name) {
        return Codepage::toUnicode(t.read(name)).split("\r\n");
    }

    TempFolder t;
};

TEST_F(InProgramPages, SameDayPageListsOtherYearsNewestFirst) {
    entry("2003/03/15", 2, "二つ目", "b2");
    entry("2003/03/15", 1, "一つ目", "b1", "続き");
    entry("2005/03/15", 1, "当日", "never listed");
    entry("2007/03/15", 1, "後の年", "later", QString(), QString(), QString(), true);
    entry("2004/03/16", 1, "別の日", "no");
    HTML0::MakeSameDayPage(t.file("oldtmp.htm"), "2005/03/15");
    const QStringList l = lines("oldtmp.htm");
    EXPECT_EQ(l[0], "<HTML lang=\"ja\"><HEAD><TITLE>03/15の日記</TITLE></HEAD>");
    EXPECT_EQ(l[1], "<BODY TEXT='' BGCOLOR='' background=''>");
    EXPECT_TRUE(l.contains("location.href = \"Event:Close\";"));
    const qsizetype list = l.indexOf("<a href=\"#2007/03/15\">2007/03/15</a>　後の年<br>");
    ASSERT_GE(list, 0);
    EXPECT_EQ(l[list + 1], "<a href=\"#2003/03/15\">2003/03/15</a>　一つ目<br>");
    EXPECT_EQ(l[list + 2], "<a href=\"#2003/03/15\">2003/03/15</a>　二つ目<br>");
    EXPECT_EQ(l[list + 3], "</div><hr>");
    EXPECT_EQ(l[list + 4], "");
    const QStringList firstBlock = l.mid(l.indexOf(
        "<H3 ALIGN=Left STYLE=\"COLOR:;BACKGROUND:\"><A NAME=\"2003/03/15\">一つ目(2003/03/15)</A></H3>"), 6);
    EXPECT_EQ(firstBlock, (QStringList{
        "<H3 ALIGN=Left STYLE=\"COLOR:;BACKGROUND:\"><A NAME=\"2003/03/15\">一つ目(2003/03/15)</A></H3>",
        "<DIV STYLE=\"COLOR:;BACKGROUND:\" align=>", "b1", "<BR>", "続き", "</DIV>"}));
    EXPECT_FALSE(l.join("\n").contains("never listed"));
    EXPECT_FALSE(l.join("\n").contains("別の日"));
    EXPECT_EQ(l.last(), "");
    EXPECT_EQ(l[l.size() - 2], "</BODY></HTML>");
}

TEST_F(InProgramPages, SameDayPageWithoutEntriesAndTableLayout) {
    HTML0::MakeSameDayPage(t.file("oldtmp.htm"), "2024/02/29");
    EXPECT_TRUE(lines("oldtmp.htm").contains("以前の同じ日の日記はありません。"));

    design("[Contents]\nHTMLType=1\nTableBorder=1\nTableWidth=0\nContentsBGColor=#FFFFFF\n");
    entry("2020/02/29", 1, "閏日", "leap");
    entry("2021/03/01", 1, "翌日", "no");
    HTML0::MakeSameDayPage(t.file("oldtmp.htm"), "2024/02/29");
    const QStringList l = lines("oldtmp.htm");
    EXPECT_FALSE(l.contains("以前の同じ日の日記はありません。"));  // no day list
    EXPECT_TRUE(l.contains("<TABLE BORDER=1 BGCOLOR=\"\" CELLSPACING=0 BORDERCOLOR= width=100%>"));
    EXPECT_TRUE(l.contains("<TR><TD COLSPAN=2 BGCOLOR=#FFFFFF><FONT COLOR=>leap"));
    EXPECT_TRUE(l.contains("</FONT></TD></TR>"));
    EXPECT_FALSE(l.join("\n").contains("翌日"));
}

TEST_F(InProgramPages, SearchFindsBodyAndTitleHighlightingOnlyText) {
    design("[DayList]\nUse=1\n[Contents]\nHTMLType=0\n[General]\nGenre=1\nWeather=1\n");
    entry("2005/03/31", 1, "img day", "<img src=\"./RaravParts/a.gif\">an img here", "more img", "旅行", "晴");
    entry("2005/03/31", 2, "title only IMG", "nothing", QString(), QString(), "-");
    entry("2005/03/01", 1, "x", "IMG upper", QString(), "一般", QString(), true);
    entry("2005/02/28", 1, "x", "img outside period");
    entry("2005/03/10", 1, "x", "only in the continuation", "img");
    const int n = HTML0::MakeSearchResultPage(t.file("findtmp.htm"), "img", true, "2005/3/1", "2005/3/31", false, "");
    EXPECT_EQ(n, 3);
    const QStringList l = lines("findtmp.htm");
    EXPECT_TRUE(l.contains("<p>キーワード：img</p>"));
    EXPECT_TRUE(l.contains("<p>期間：2005/3/1～2005/3/31</p>"));
    EXPECT_TRUE(l.contains("<a href=\"#2005/03/31_2\">2005/03/31</a>　<br>"));
    EXPECT_TRUE(l.contains("<a href=\"#2005/03/31_1\">2005/03/31</a>　[旅行]　<br>"));
    const QString mark = "<span style='font-style:italic;color:RED;background-color:YELLOW'>img</span>";
    // The tag and the parts address are left whole; the text is marked.
    EXPECT_TRUE(l.contains("<img src=\"./RaravLog/RaravParts/a.gif\">an " + mark + " here")) << l.join("\n").toStdString();
    EXPECT_TRUE(l.contains("<br>more " + mark));
    EXPECT_TRUE(l.contains("<H3 ALIGN= STYLE=\"COLOR:;BACKGROUND:\">[旅行]<A NAME=\"2005/03/31_1\">img day(2005/03/31)</A>"
                           "<IMG SRC=\"./RaravParts/Shinny.gif\"></H3>"));
    EXPECT_TRUE(l.contains("IMG upper"));  // found in another case, not marked
    EXPECT_FALSE(l.join("\n").contains("outside period"));
    EXPECT_FALSE(l.join("\n").contains("only in the continuation"));
}

TEST_F(InProgramPages, SearchTakesUserTextLiterally) {
    design("[DayList]\nUse=1\n[Contents]\nHTMLType=1\n[General]\nGenre=1\n");
    entry("2006/01/01", 1, "t", "100% \"sure\"", QString(), "a_b");
    entry("2006/01/02", 1, "t", "1000 sure", QString(), "axb");
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "100%", false, "", "", false, ""), 1);
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "\"sure\"", false, "", "", true, "a_b"), 1);
    EXPECT_TRUE(lines("f.htm").contains("<p>ジャンル：a_b</p><hr>"));
    EXPECT_TRUE(lines("f.htm").join("\n").contains("<TR><TD COLSPAN=3 BGCOLOR=><FONT COLOR=>100% "));
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "none at all", false, "", "", false, ""), 0);
    EXPECT_TRUE(lines("f.htm").contains("検索結果0件。"));
    // Every hit outside the period: nothing listed, and the page says so.
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "sure", true, "2007/1/1", "2007/12/31", false, ""), 0);
    EXPECT_TRUE(lines("f.htm").contains("検索結果0件。"));
    // A number found in the text and inside a character reference: only the
    // one in the text is marked, in the page of either search.
    entry("2006/01/03", 1, "t", "1&#160;2 Price 160", QString(), "c");
    for (const char* keyword : {"160", "Price 160"}) {
        EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), keyword, false, "", "", false, ""), 1);
        EXPECT_TRUE(lines("f.htm").join("\n").contains(
            QStringLiteral("1&#160;2 %1<span style='font-style:italic;color:RED;background-color:YELLOW'>%2</span>")
                .arg(QString(keyword) == "160" ? "Price " : "", keyword)))
            << keyword;
    }
    // The keyword is text that was sought in the bodies' HTML: the page shows
    // it as typed. Written as it stands, "<!--" hid the rest of the page up to
    // the first "-->" of a hit.
    entry("2006/01/04", 1, "t", "<!-- memo --><b>bold</b> &amp; more", QString(), "d");
    for (const char* keyword : {"<!--", "<b>bold", "&amp;"}) {
        EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), keyword, false, "", "", false, ""), 1) << keyword;
        EXPECT_TRUE(lines("f.htm").contains(QStringLiteral("<p>キーワード：%1</p>").arg(QString(keyword).toHtmlEscaped())))
            << keyword;
    }
    EXPECT_THROW(HTML0::MakeSearchResultPage(t.file("g.htm"), "x", true, "2006/13/01", "2006/12/31", false, ""),
                 RuntimeError);
    EXPECT_FALSE(QFile::exists(t.file("g.htm")));
}

// A weather word without a picture of its own shows none, in both layouts.
TEST_F(InProgramPages, SearchShowsNoPictureForAWeatherWithoutOne) {
    entry("2006/01/01", 1, "t", "empty weather", QString(), QString(), "");
    entry("2006/01/02", 1, "t", "foreign weather", QString(), QString(), "霧");
    entry("2006/01/03", 1, "t", "sunny weather", QString(), QString(), "晴");
    for (const char* layout : {"0", "1"}) {
        design(QString("[Contents]\nHTMLType=%1\n[General]\nWeather=1\n").arg(layout));
        EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "weather", false, "", "", false, ""), 3);
        const QString page = lines("f.htm").join("\n");
        EXPECT_EQ(page.count("<IMG SRC=\"./RaravParts/"), 1) << layout;
        EXPECT_EQ(page.count("<IMG SRC=\"./RaravParts/Shinny.gif\">"), 1) << layout;
    }
}

// An empty body, continuation or genre is a text like any other; only a
// missing one leaves its part out.
TEST_F(InProgramPages, EmptyTextsKeepTheirMarksAndMissingOnesDoNot) {
    design("[DayList]\nUse=1\n[Contents]\nHTMLType=0\n[General]\nGenre=1\n");
    entry("2003/03/15", 1, "空", "", "", "");
    entry("2002/03/15", 1, "無", QString(), QString(), QString());
    HTML0::MakeSameDayPage(t.file("oldtmp.htm"), "2005/03/15");
    QStringList l = lines("oldtmp.htm");
    const qsizetype empty = l.indexOf("<H3 ALIGN= STYLE=\"COLOR:;BACKGROUND:\"><A NAME=\"2003/03/15\">空(2003/03/15)</A></H3>");
    ASSERT_GE(empty, 0);
    EXPECT_EQ(l.mid(empty + 1, 5), (QStringList{"<DIV STYLE=\"COLOR:;BACKGROUND:\" align=>", "", "<BR>", "", "</DIV>"}));
    const qsizetype missing = l.indexOf("<H3 ALIGN= STYLE=\"COLOR:;BACKGROUND:\"><A NAME=\"2002/03/15\">無(2002/03/15)</A></H3>");
    ASSERT_GE(missing, 0);
    EXPECT_EQ(l.mid(missing + 1, 2), (QStringList{"<DIV STYLE=\"COLOR:;BACKGROUND:\" align=>", "</DIV>"}));

    design("[DayList]\nUse=1\n[Contents]\nHTMLType=1\n");
    HTML0::MakeSameDayPage(t.file("oldtmp.htm"), "2005/03/15");
    l = lines("oldtmp.htm");
    EXPECT_EQ(l.count("<br></FONT></TD></TR>"), 1);  // the empty continuation
    EXPECT_EQ(l.count("</FONT></TD></TR>"), 1);      // the missing one

    design("[DayList]\nUse=1\n[Contents]\nHTMLType=1\n[General]\nGenre=1\n");
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), "", false, "", "", false, ""), 2);
    l = lines("f.htm");
    EXPECT_TRUE(l.contains("<a href=\"#2003/03/15_1\">2003/03/15</a>　[]　<br>"));
    EXPECT_TRUE(l.contains("<a href=\"#2002/03/15_1\">2002/03/15</a>　<br>"));
    EXPECT_EQ(l.join("\n").count("<NOBR>[]</NOBR>"), 1);
    EXPECT_TRUE(l.contains("<TR><TD COLSPAN=3 BGCOLOR=><FONT COLOR=>"));  // empty body and continuation
}

// A keyword without ASCII letters is found through the index, and its page
// is written from the entries' UTF-8 as SQLite holds it: every character
// comes out as the page's text would have it, in both layouts. Entries whose
// texts are not UTF-8 text are written from their text as before.
TEST_F(InProgramPages, SearchPageHoldsEveryCharacterAsTheTextWould) {
    struct E {
        const char* day;
        const char* title;
        const char* body;
        const char* extend;  // nullptr: none
    };
    const E entries[] = {
        {"2005/03/01", "散歩の日", "公園まで<b>散歩</b>。<a href=\"散歩.htm\">道</a><img src=\"./RaravParts/a.gif\">散歩散歩散", nullptr},
        {"2005/03/02", "改行", "CR LF\r\nLF\nCR\r散歩\r", "続きの散歩\r\n</b>"},
        {"2005/03/03", "〜¥−😀", "\n😀猫と〜¥−～ｱ散歩\xEF\xBB\xBF中の印", ""},
        {"2005/03/04", "%1と%2", "\xEF\xBB\xBF先頭の印<br 散歩>散歩<散歩 ./RaravLog/RaravParts/b と /RaravParts/c", nullptr},
        {"2005/03/05", "", "あ散歩あ散\xEF\xBF\xBE歩\t\x01", "散"},
    };
    for (const E& e : entries)
        entry(e.day, 1, QString::fromUtf8(e.title), QString::fromUtf8(e.body),
              e.extend ? QString::fromUtf8(e.extend) : QString(), "日記", "晴");
    const QString keyword = QStringLiteral("散歩");
    for (const char* layout : {"0", "1"}) {
        design(QString("[DayList]\nUse=1\nAddTitle=1\n[Contents]\nHTMLType=%1\n[General]\nGenre=1\nWeather=1\n")
                   .arg(layout));
        EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), keyword, false, "", "", false, ""), 5);
        const QByteArray page = t.read("f.htm");
        for (const E& e : entries) {
            QString body = QString::fromUtf8(e.body);
            if (e.extend) body += "\r\n<br>" + QString::fromUtf8(e.extend);
            const QByteArray expected = Codepage::fromUnicodeCrLf(
                HTML0::PointPartsToLog(HTML0::HighlightKeyword(body, keyword)), Codepage::Fallback::NumericReference);
            EXPECT_TRUE(page.contains(expected)) << layout << " " << e.day;
        }
        const QStringList l = lines("f.htm");
        EXPECT_TRUE(l.contains("<a href=\"#2005/03/03_1\">2005/03/03</a>　[日記]　&#x301C;&#xA5;&#x2212;&#x1F600;<br>"));
        EXPECT_EQ(l.indexOf("<a href=\"#2005/03/05_1\">2005/03/05</a>　[日記]　<br>") + 4,
                  l.indexOf("<a href=\"#2005/03/01_1\">2005/03/01</a>　[日記]　散歩の日<br>"));
        EXPECT_TRUE(l.contains(QString(layout) == "0"
                                   ? "<H3 ALIGN= STYLE=\"COLOR:;BACKGROUND:\">[日記]<A NAME=\"2005/03/04_1\">%1と%2"
                                     "(2005/03/04)</A><IMG SRC=\"./RaravParts/Shinny.gif\"></H3>"
                                   : "<TR><TD ALIGN= BGCOLOR= WIDTH=100%><A NAME=\"2005/03/04_1\"><FONT COLOR=>%1と%2"
                                     "</FONT></TD><TD ALIGN=RIGHT BGCOLOR=><FONT COLOR=><NOBR>[日記]</NOBR></FONT></TD>"
                                     "<TD ALIGN=RIGHT BGCOLOR=><FONT COLOR=>2005/03/04</a></FONT></TD>"
                                     "<TD width=16pt BGCOLOR=><IMG SRC=\"./RaravParts/Shinny.gif\"></TD></TR>"));
    }

    // A body that is no UTF-8 and a title stored as bytes, as another client
    // may leave them.
    Database(Shell::state().databasePath())
        .execScript("INSERT INTO Contents (Day, Number, Title, Contents) VALUES "
                    "('2005/03/06', 1, x'3132', CAST(x'e695a3e6ada9ff41' AS TEXT));");
    EXPECT_EQ(HTML0::MakeSearchResultPage(t.file("f.htm"), keyword, false, "", "", false, ""), 6);
    const QStringList l = lines("f.htm");
    EXPECT_TRUE(l.contains("<a href=\"#2005/03/06_1\">2005/03/06</a>　[]　12<br>"));
    EXPECT_TRUE(l.contains("<TR><TD COLSPAN=3 BGCOLOR=><FONT COLOR=>"
                           "<span style='font-style:italic;color:RED;background-color:YELLOW'>散歩</span>&#xFFFD;A"));
}

TEST(Highlight, TableOfMarkupCases) {
    struct Case {
        const char* html;
        const char* keyword;
        const char* expected;
    };
    const Case cases[] = {
        {"a b a", "a", "[a] b [a]"},
        {"<a href=\"a\">a</a>", "a", "<a href=\"a\">[a]</a>"},
        {"x<br>y", "br", "x<br>y"},
        {"no keyword", "", "no keyword"},
        {"broken <tag", "tag", "broken <tag"},
        {"aaa<b>aa</b>a", "aa", "[aa]a<b>[aa]</b>a"},
        {"ab<b>ab", "b<", "ab<b>ab"},           // runs into a tag
        {"xab<i>b", "ab", "x[ab]<i>b"},
        {"<a title=\"ab\">ab</a>ab", "ab", "<a title=\"ab\">[ab]</a>[ab]"},
        {"a>b>ab", "b>a", "a>[b>a]b"},           // ">" outside a tag is text
        {"<<ab>ab", "ab", "<<ab>[ab]"},
        // A character reference is one character of the text: a mark that
        // would cut it shows its letters instead.
        {"A&amp;B &lt;i&gt; 1&#160;2", "&", "A&amp;B &lt;i&gt; 1&#160;2"},
        {"1&#160;2 160", "160", "1&#160;2 [160]"},
        {"&amp;&nbsp;", "nbsp", "&amp;&nbsp;"},
        {"〜&#x301C;", "301C", "〜&#x301C;"},
        {"p&amp;q", "p&a", "p&amp;q"},
        {"&amp;;", ";", "&amp;[;]"},
        {"a&amp;b amp; ", "amp;", "a&amp;b [amp;] "},
        {"a&amp;b", "&amp;", "a[&amp;]b"},
        {"AT&T", "&", "AT[&]T"},
    };
    for (const Case& c : cases) {
        QString got = HTML0::HighlightKeyword(c.html, c.keyword);
        got.replace("<span style='font-style:italic;color:RED;background-color:YELLOW'>", "[").replace("</span>", "]");
        EXPECT_EQ(got, QString::fromUtf8(c.expected)) << c.html;
    }
    EXPECT_EQ(HTML0::PointPartsToLog("./RaravParts/a ./RaravLog/RaravParts/b"),
              QStringLiteral("./RaravLog/RaravParts/a ./RaravLog/RaravParts/b"));
}

}  // namespace
