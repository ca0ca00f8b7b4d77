#include "site/diary_body.h"
#include "tests/site/site_fixture.h"

class DiaryBody : public SiteFixture {
protected:
    QStringList append(int divide = 0) {
        const MonthEntries entries = loadMonthEntries(ctx.databasePath, QStringLiteral("2005/03"), false);
        return linesOfText(HTML3::WriteRaravPage(ctx, site + QStringLiteral("index.htm"), divide,
                                                 HTML3::WriteKind::Append, 0,
                                                 buildDayPageMap(entryDays(entries), 31, true), 1, entries)
                               .text);
    }
};

// The table layout with a genre label, a weather icon, a continuation and
// the comment links.
TEST_F(DiaryBody, TableLayout) {
    design(QStringLiteral("[General]\nGenre=1\nWeather=1\nDayTitleAlign=left\n[Contents]\nHTMLType=1\nTableBorder=1\n"
                          "TableBGColor=#FFFFFF\nCellspacing=0\nTBorderColor=#CCCCCC\nTitleFTColor=#FFFFFF\n"
                          "TitleBGColor=#336699\nTitleSpanTag=font-weight:bold\nDayBGColor=#EEEEEE\nDayFTColor=#333333\n"
                          "ContentsFTColor=#333333\nContentsBGColor=#FFFFFF\nDayContentsAlign=left\n"));
    Files::writeText(ctx.haloScanIni, QStringLiteral("[GENERAL]\nHaloScanOn=1\nUserName=me\n"));
    entry("2005/03/08", 1, "晴れ", "晴", "日記", 0, "本文です。", "続きです。");
    EXPECT_EQ(append(), L({
        "<A Name=\"2005/03/08\"></A>",
        "<DIV ALIGN=left>",
        "<TABLE BORDER=1 BGCOLOR=\"#FFFFFF\" CELLSPACING=0 BORDERCOLOR=#CCCCCC width=100%>",
        "<TR><TD ALIGN=left BGCOLOR=#336699 WIDTH=100%><A NAME=\"2005/03/08_1\"><FONT COLOR=#FFFFFF><SPAN "
        "STYLE=\"font-weight:bold\">晴れ</SPAN></A></FONT></TD><TD ALIGN=RIGHT BGCOLOR=#EEEEEE><FONT COLOR=#333333>"
        "<NOBR>[日記]</NOBR></FONT></TD><TD ALIGN=RIGHT BGCOLOR=#EEEEEE><FONT COLOR=#333333>2005/03/08</FONT></TD>"
        "<TD width=16pt BGCOLOR=#EEEEEE><IMG SRC=\"./RaravParts/Shinny.gif\"></TD></TR>",
        "<TR><TD COLSPAN=4 BGCOLOR=#FFFFFF><FONT COLOR=#333333><!--[Contents]--><br>本文です。",
        "",
        "<!--[extend]--><br>続きです。</FONT></TD></TR>",
        "<TR><TD ALIGN=CENTER COLSPAN=4 BGCOLOR=#FFFFFF><a href=\"javascript:HaloScan('2005/03/08_1');\" "
        "target=\"_self\"><script type=\"text/javascript\">postCount('2005/03/08_1');</script></a> | <a "
        "href=\"javascript:HaloScanTB('2005/03/08_1');\" target=\"_self\"><script "
        "type=\"text/javascript\">postCountTB('2005/03/08_1'); </script></a></TD></TR>",
        "</TABLE></DIV>",
        "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV><BR>"}));
}

// Weather "-", null, or a word without an icon shows no picture and takes
// no column; a null genre shows no label, an empty one its "[]".
TEST_F(DiaryBody, WeatherWithoutIconAddsNothing) {
    design(QStringLiteral("[General]\nGenre=1\nWeather=1\n[Contents]\nHTMLType=1\n"));
    entry("2005/03/09", 1, "a", "嵐", nullptr);
    entry("2005/03/08", 1, "b", "-", "");
    entry("2005/03/07", 1, "c", nullptr, "x");
    const QString page = append().join(QLatin1Char('\n'));
    EXPECT_FALSE(page.contains(QStringLiteral("IMG")));
    EXPECT_TRUE(page.contains(QStringLiteral("<TR><TD COLSPAN=2 BGCOLOR=><FONT COLOR=><!--[Contents]--><br>本文")));
    EXPECT_EQ(page.count(QStringLiteral("<TR><TD COLSPAN=3 ")), 2);
    EXPECT_EQ(page.count(QStringLiteral("<NOBR>[]</NOBR>")), 1);
}

// An empty continuation keeps its marker line and an empty genre its label;
// missing ones add nothing.
TEST_F(DiaryBody, EmptyTextsAreWrittenAndMissingOnesLeftOut) {
    design(QStringLiteral("[General]\nGenre=1\n[Contents]\nHTMLType=0\n"));
    entry("2005/03/09", 1, "empty", "-", "", 0, "", "");
    entry("2005/03/08", 1, "missing", "-", nullptr, 0, nullptr, nullptr);
    const QStringList page = append();
    const QString text = page.join(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("\">[]<A NAME=\"2005/03/09_1\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"><A NAME=\"2005/03/08_1\">")));
    EXPECT_EQ(page.count(QStringLiteral("<!--[extend]--><br>")), 1);
}

// A layout other than 0 and 1 writes neither entries nor anchors; a new
// page still gets its head, page-move block and tail.
TEST_F(DiaryBody, UnknownLayoutWritesOnlyTheFrame) {
    design(QStringLiteral("[General]\nHPTitle=T\n[Contents]\nHTMLType=2\n[PageMoveLink]\nPageMoveOn=1\nLanguage=Japanese\n"
                          "Align=Center\n"));
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=1\n"));
    entry("2005/03/09", 1, "a");
    entry("2005/03/08", 1, "b");
    const MonthEntries entries = loadMonthEntries(ctx.databasePath, QStringLiteral("2005/03"), false);
    const PageOut page = HTML3::WriteRaravPage(ctx, site + QStringLiteral("index.htm"), 1, HTML3::WriteKind::New, 1,
                                               buildDayPageMap(entryDays(entries), 1, true), 1, entries);
    EXPECT_EQ(page.path, site + QStringLiteral("index_01.htm"));
    EXPECT_EQ(linesOfText(page.text),
              L({"<HTML lang=\"ja\"><HEAD>", "<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">",
                 "<meta name=Generator content=\"Quillby\">", "<TITLE>T</TITLE>", "", "</HEAD>",
                 "<BODY TEXT='' BGCOLOR='' background='' link='' alink='' vlink=''>", "",
                 "<div align=Center style=margin-left:0pt>", "<A HREF=\"./index.htm\">戻る</A>", "",
                 "<A HREF=\"./index.htm\">先頭へ</A>", "</DIV>", "", "</BODY></HTML>"}));
}
