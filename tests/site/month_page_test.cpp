#include "site/month_page.h"
#include "platform/runtime_error.h"
#include "tests/site/site_fixture.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {
const char* kDesign = R"(
[General]
HPTitle=日記
TitleAlign=center
StyleSheetURL=./style.css
HeadTag=head
UseLog=0
LogType=Normal
LogAlign=Left
DayTitleAlign=left
Genre=1
Weather=1
QuillbyLinkOn=1
QuillbyLinkText=
[Body]
UpText=up
DownText=down
TextColor=#333333
BackColor=#FFFFFF
BackImage=
LinkColor=#336699
ALinkColor=#FF6600
VLinkColor=#663399
[DayList]
Use=1
AddTitle=1
MarginLeft=10
Type=List
[Calender]
Use=0
[Contents]
HTMLType=0
TitleFTColor=#FFFFFF
TitleBGColor=#336699
TitleSpanTag=font-weight:bold
ContentsFTColor=#333333
ContentsBGColor=#FFFFFF
DayContentsAlign=left
[PageMoveLink]
PageMoveOn=1
Align=
Language=English
Separetor=|
)";
}  // namespace

class MonthPage : public SiteFixture {
protected:
    void SetUp() override {
        SiteFixture::SetUp();
        design(QString::fromUtf8(kDesign));
        tmp.writeText(QStringLiteral("data/Customize/up.htm"), QStringLiteral("<p>上</p>"));
        tmp.writeText(QStringLiteral("data/Customize/down.htm"), QStringLiteral("<p>下</p>"));
        tmp.writeText(QStringLiteral("data/Customize/head.htm"), QStringLiteral("<meta name=x content=y>"));
    }
    // Entries on the 30th (two), 28th, 20th (private only), 15th, 3rd, 1st.
    void month() {
        entry("2005/03/30", 1, "朝");
        entry("2005/03/30", 2, "夜", "雨", nullptr, 0, "二つ目", "続き");
        entry("2005/03/28", 1, "晴れ", "-", "");
        entry("2005/03/20", 1, "秘密", "晴", "日記", 1);
        entry("2005/03/15", 1, "十五日");
        entry("2005/03/03", 1, "三日");
        entry("2005/03/01", 1, "一日");
        entry("2005/04/01", 1, "翌月");
    }
    void make(const QString& name, int mode = 1, bool upload = true, bool priv = false,
              const HTML0::FeedWriter& feeds = nullptr) {
        HTML0::MakeMonthPage(ctx, site + name, QStringLiteral("2005/03"), mode, upload, priv, feeds);
    }
    QStringList upload(const char* list = "upload.tmp") {
        QStringList lines = linesOf(ctx.userPath + QLatin1String(list));
        for (QString& l : lines) l.replace(tmp.path(), QStringLiteral("T/"));
        return lines;
    }
};

// Division off: every entry on the top page, private ones left out, and the
// page-move block holds only the top link although a stored term of 3 would
// map the older days to a page that is never written.
TEST_F(MonthPage, WholePageWithDivisionOff) {
    frame(QStringLiteral("[Divide]\nRaravDivide=0\nRaravTerm=3\n"));
    month();
    make(QStringLiteral("index.htm"));
    EXPECT_EQ(linesOf(site + QStringLiteral("index.htm")),
              L({
                 "<HTML lang=\"ja\">",
                 "<HEAD>",
                 "<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">",
                 "<meta name=Generator content=\"Quillby v1.7.1\">",
                 "<TITLE>日記</TITLE>",
                 "<Link Rel=stylesheet type=\"Text/css\" href=./style.css>",
                 "<meta name=x content=y>",
                 "</HEAD>",
                 "<BODY TEXT='#333333' BGCOLOR='#FFFFFF' background='' link='#336699' alink='#FF6600' vlink='#663399'>",
                 "<!-- 上追加テキスト(ここから) by Quillby -->",
                 "<p>上</p>",
                 "<!-- 上追加テキスト(ここまで) by Quillby  -->",
                 "<a name=this_month></a><H3 align=center><a name=TOP>2005年3月分</a></H3>",
                 "",
                 "<div style=margin-left:10pt>",
                 "<a href=\"#2005/03/30_2\">2005/03/30</a>　夜<br>",
                 "<a href=\"#2005/03/30_1\">2005/03/30</a>　[日記]　朝<br>",
                 "<a href=\"#2005/03/28_1\">2005/03/28</a>　[]　晴れ<br>",  // an empty genre keeps its label
                 "<a href=\"#2005/03/15_1\">2005/03/15</a>　[日記]　十五日<br>",
                 "<a href=\"#2005/03/03_1\">2005/03/03</a>　[日記]　三日<br>",
                 "<a href=\"#2005/03/01_1\">2005/03/01</a>　[日記]　一日<br>",
                 "</div>",
                 "",
                 "<HR>",
                 "",
                 "<A Name=\"2005/03/30\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\"><A NAME=\"2005/03/30_2\"><SPAN STYLE=\"font-weight:bold\">夜</SPAN>(2005/03/30)</A><IMG SRC=\"./RaravParts/Rainy.gif\"></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "二つ目",
                 "<!--[extend]--><br>",
                 "続き",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<A Name=\"2005/03/30\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\">[日記]<A NAME=\"2005/03/30_1\"><SPAN STYLE=\"font-weight:bold\">朝</SPAN>(2005/03/30)</A><IMG SRC=\"./RaravParts/Shinny.gif\"></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "本文",
                 "",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<A Name=\"2005/03/28\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\">[]<A NAME=\"2005/03/28_1\"><SPAN STYLE=\"font-weight:bold\">晴れ</SPAN>(2005/03/28)</A></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "本文",
                 "",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<A Name=\"2005/03/15\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\">[日記]<A NAME=\"2005/03/15_1\"><SPAN STYLE=\"font-weight:bold\">十五日</SPAN>(2005/03/15)</A><IMG SRC=\"./RaravParts/Shinny.gif\"></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "本文",
                 "",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<A Name=\"2005/03/03\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\">[日記]<A NAME=\"2005/03/03_1\"><SPAN STYLE=\"font-weight:bold\">三日</SPAN>(2005/03/03)</A><IMG SRC=\"./RaravParts/Shinny.gif\"></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "本文",
                 "",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<A Name=\"2005/03/01\"></A>",
                 "<H3 ALIGN=left STYLE=\"COLOR:#FFFFFF;BACKGROUND:#336699\">[日記]<A NAME=\"2005/03/01_1\"><SPAN STYLE=\"font-weight:bold\">一日</SPAN>(2005/03/01)</A><IMG SRC=\"./RaravParts/Shinny.gif\"></H3>",
                 "<DIV STYLE=\"COLOR:#333333;BACKGROUND:#FFFFFF\" align=left>",
                 "<!--[Contents]--><br>",
                 "本文",
                 "",
                 "</DIV>",
                 "<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>",
                 "<div align=Left style=margin-left:10pt>",
                 "<A HREF=\"./index.htm\">Top</A>",
                 "</DIV>",
                 "<!-- 下追加テキスト(ここから) By Quillby -->",
                 "<p>下</p>",
                 "<!-- 下追加テキスト(ここまで) By Quillby -->",
                 "<p>このサイトは<a href=\"https://quillby.example.jp/\" target=_blank>Quillby</a>を使用しています。</p>",
                 "</BODY>",
                 "</HTML>",
              }));
    EXPECT_EQ(upload(), L({"T/site,index.htm"}));
    EXPECT_FALSE(Files::exists(site + QStringLiteral("index_01.htm")));
}

TEST_F(MonthPage, PreviewKeepsPrivateEntriesAndTheUploadList) {
    month();
    tmp.writeText(QStringLiteral("user/upload.tmp"), QStringLiteral("old,list.htm"));
    make(QStringLiteral("tmp.htm"), 1, false, true);
    const QStringList page = linesOf(site + QStringLiteral("tmp.htm"));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"#2005/03/20_1\">2005/03/20</a>　[日記]　秘密<br>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<A Name=\"2005/03/20\"></A>")));
    EXPECT_EQ(upload(), L({"old,list.htm"}));
}

TEST_F(MonthPage, EmptyMonthWithFramesAndFeeds) {
    frame(QStringLiteral("[Frame]\nFrameOn=1\nBorder=1\nScrolling=0\nResize=1\nCalenderFrameSize=160\n"
                         "[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    Files::writeText(ctx.rssIni, QStringLiteral("[GENERAL]\nRSSOn=1\n"));
    entry("2005/04/01", 1, "翌月");
    QString feedPage;
    make(QStringLiteral("index.htm"), 1, true, false, [&](const QString&, const QString& page) {
        feedPage = page;
        return MonthFeeds{true, QStringLiteral("http://example.jp/diary/index"), {}};
    });
    EXPECT_EQ(feedPage, site + QStringLiteral("index.htm"));
    EXPECT_EQ(linesOf(site + QStringLiteral("index.htm")),
              L({"<HTML lang=\"ja\">", "<HEAD>", "<TITLE>日記</TITLE>",
                 "<link rel=\"alternate\" type=\"application/rss+xml\" title=\"RSS0.91\" href=\"http://example.jp/diary/index_RSS091.xml\" />",
                 "<link rel=\"alternate\" type=\"application/rss+xml\" title=\"RSS1.0\" href=\"http://example.jp/diary/index_RSS100.xml\" />",
                 "<link rel=\"alternate\" type=\"application/rss+xml\" title=\"RSS2.0\" href=\"http://example.jp/diary/index_RSS200.xml\" />",
                 "<link rel=\"alternate\" type=\"application/atom+xml\" title=\"Atom0.3\" href=\"http://example.jp/diary/index_ATOM.xml\" />",
                 "<FRAMESET COLS=160,* FRAMEBORDER=\"YES\">",
                 "<FRAME SRC=\"./index_C.htm\" Name=\"CALENDER\" Scrolling=\"NO\" RESIZE>",
                 "<FRAME SRC=\"./index_D.htm\" Name=\"RARAV\">", "</HEAD></HTML>"}));
    const QStringList body = linesOf(site + QStringLiteral("index_D.htm"));
    EXPECT_EQ(slice(body, QStringLiteral("<div style=margin-left:10pt>"), QStringLiteral("<HR>")),
              L({"<div style=margin-left:10pt>", "-今月はまだ日記はありません-", "</div>", "", "<HR>"}));
    EXPECT_TRUE(body.contains(QStringLiteral(
        "<p align=center><a href=\"http://example.jp/diary/index_RSS091.xml\">RSS0.91</a> | <a href=\"http://example.jp/"
        "diary/index_RSS100.xml\">RSS1.0</a> | <a href=\"http://example.jp/diary/index_RSS200.xml\">RSS2.0</a> | <a "
        "href=\"http://example.jp/diary/index_ATOM.xml\">ATOM</a></p>")));
    const QStringList calendar = linesOf(site + QStringLiteral("index_C.htm"));
    EXPECT_EQ(calendar.mid(0, 9), L({"<HTML lang=\"ja\">", "<HEAD>",
                                     "<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">",
                                     "<TITLE>日記-CalenderFrame-</TITLE>", "", "</HEAD>",
                                     "<BODY TEXT=\"\" BGColor=\"\" background=\"\">", "",
                                     "<div align=center>2005年3月</div>"}));
    EXPECT_EQ(calendar.mid(calendar.size() - 3), L({"", "</BODY>", "</HTML>"}));
    EXPECT_EQ(upload(), L({"T/site,index_RSS091.xml", "T/site,index_RSS100.xml", "T/site,index_RSS200.xml",
                           "T/site,index_ATOM.xml", "T/site,index.htm", "T/site,index_D.htm", "T/site,index_C.htm"}));
}

class DividedMonth : public MonthPage {
protected:
    void SetUp() override {
        MonthPage::SetUp();
        for (const char* day : {"2005/03/30", "2005/03/28", "2005/03/20", "2005/03/15", "2005/03/03", "2005/03/01"})
            entry(day, 1, "題");
    }
    QStringList moveBlock(const QString& page) {
        return slice(linesOf(site + page), QStringLiteral("<div align=Left style=margin-left:10pt>"),
                     QStringLiteral("</DIV>"));
    }
};

TEST_F(DividedMonth, ByThreeDaysWithNewestOnTop) {
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    make(QStringLiteral("200503.htm"));
    EXPECT_EQ(moveBlock(QStringLiteral("200503.htm")),
              L({"<div align=Left style=margin-left:10pt>", "<A HREF=\"./200503_01.htm\">Next</A>", "</DIV>"}));
    EXPECT_EQ(moveBlock(QStringLiteral("200503_01.htm")),
              L({"<div align=Left style=margin-left:10pt>", "<A HREF=\"./200503.htm\">Previous</A>", "|",
                 "<A HREF=\"./200503.htm\">Top</A>", "</DIV>"}));
    const QStringList top = linesOf(site + QStringLiteral("200503.htm"));
    EXPECT_TRUE(top.contains(QStringLiteral("<a href=\"./200503_01.htm#2005/03/15_1\">2005/03/15</a>　[日記]　題<br>")));
    EXPECT_TRUE(top.contains(QStringLiteral("<a href=\"#2005/03/20_1\">2005/03/20</a>　[日記]　題<br>")));
    const QStringList page1 = linesOf(site + QStringLiteral("200503_01.htm"));
    EXPECT_EQ(page1.count(QStringLiteral("<A Name=\"2005/03/30\"></A>")), 1);
    EXPECT_FALSE(page1.join(QString()).contains(QStringLiteral("2005/03/30_1")));
    EXPECT_TRUE(page1.contains(QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"#TOP\">top</A></DIV>")));
    EXPECT_EQ(page1.mid(0, 3), L({"<HTML lang=\"ja\"><HEAD>",
                                  "<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">",
                                  "<meta name=Generator content=\"Quillby\">"}));
    EXPECT_EQ(page1.last(), QStringLiteral("</BODY></HTML>"));
    EXPECT_FALSE(Files::exists(site + QStringLiteral("200503_02.htm")));
    EXPECT_EQ(upload(), L({"T/site,200503.htm", "T/site,200503_01.htm"}));
}

TEST_F(DividedMonth, ByThreeDaysWithTopPageEmpty) {
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=0\nTopLink=TopPage\n"));
    make(QStringLiteral("200503.htm"));
    const QStringList top = linesOf(site + QStringLiteral("200503.htm"));
    EXPECT_FALSE(top.contains(QStringLiteral("<HR>")));
    EXPECT_FALSE(top.join(QString()).contains(QStringLiteral("<A Name=")));
    EXPECT_TRUE(linesOf(site + QStringLiteral("200503_02.htm"))
                    .contains(QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"./200503.htm#TOP\">top of month</A></DIV>")));
    EXPECT_EQ(moveBlock(QStringLiteral("200503_02.htm")),
              L({"<div align=Left style=margin-left:10pt>", "<A HREF=\"./200503_01.htm\">Previous</A>", "|",
                 "<A HREF=\"./200503.htm\">Top</A>", "</DIV>"}));
    EXPECT_EQ(upload(), L({"T/site,200503.htm", "T/site,200503_01.htm", "T/site,200503_02.htm"}));
}

TEST_F(DividedMonth, NamedByDayKeepsTheNewestDayOnTop) {
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=1\nRaravOnTop=1\nUseFileName2Day=1\n"));
    make(QStringLiteral("index.htm"));
    EXPECT_FALSE(Files::exists(site + QStringLiteral("2005_03_30.htm")));
    EXPECT_TRUE(linesOf(site + QStringLiteral("index.htm"))
                    .contains(QStringLiteral("<a href=\"./2005_03_28.htm#2005/03/28_1\">2005/03/28</a>　[日記]　題<br>")));
    EXPECT_EQ(moveBlock(QStringLiteral("2005_03_15.htm")),
              L({"<div align=Left style=margin-left:10pt>", "<A HREF=\"./2005_03_20.htm\">Previous</A>", "|",
                 "<A HREF=\"./2005_03_03.htm\">Next</A>", "</DIV>"}));
    EXPECT_EQ(upload(), L({"T/site,index.htm", "T/site,2005_03_28.htm", "T/site,2005_03_20.htm",
                           "T/site,2005_03_15.htm", "T/site,2005_03_03.htm", "T/site,2005_03_01.htm"}));
}

// A past-log page is never framed, has no feeds and is divided only with
// LogDivide; its list is uplogtmp.tmp.
TEST_F(DividedMonth, PastLogPageIgnoresFramesFeedsAndDivision) {
    frame(QStringLiteral("[Frame]\nFrameOn=1\n[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    Files::writeText(ctx.rssIni, QStringLiteral("[GENERAL]\nRSSOn=1\n"));
    design(QString::fromUtf8(kDesign).replace(QStringLiteral("[Calender]\nUse=0"), QStringLiteral("[Calender]\nUse=1")));
    bool feedsAsked = false;
    make(QStringLiteral("200503.htm"), 2, true, false, [&](const QString&, const QString&) {
        feedsAsked = true;
        return MonthFeeds{true, QStringLiteral("http://example.jp/diary/200503"), {}};
    });
    EXPECT_FALSE(feedsAsked);
    EXPECT_FALSE(Files::exists(site + QStringLiteral("200503_01.htm")));
    EXPECT_FALSE(Files::exists(site + QStringLiteral("200503_D.htm")));
    const QString page = linesOf(site + QStringLiteral("200503.htm")).join(QLatin1Char('\n'));
    EXPECT_TRUE(page.contains(QStringLiteral("<td><a href=./200503.htm#2005/03/15 target=\"_self\">15</a></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("</DIV>\n<BR>\n<div style=margin-left:10pt>")));
    EXPECT_EQ(upload("uplogtmp.tmp"), L({"T/site,200503.htm"}));
    frame(QStringLiteral("[Divide]\nLogDivide=1\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    make(QStringLiteral("200503.htm"), 2);
    EXPECT_EQ(upload("uplogtmp.tmp"), L({"T/site,200503.htm", "T/site,200503_01.htm"}));
}

// A page half-written by a killed run is removed by the next past-log page
// in its folder, also when the folder was made again since; other files
// stay.
TEST_F(MonthPage, PastLogPageRemovesHalfWrittenPagesBesideIt) {
    month();
    for (const char* name : {"200503.htm", "200504.htm"}) {
        tmp.write(QStringLiteral("site/200502.htm.~k3x9q1"), "half a page");
        tmp.write(QStringLiteral("site/notes.txt.~1"), "the user's");
        make(QString::fromLatin1(name), 2);
        EXPECT_FALSE(Files::exists(site + QStringLiteral("200502.htm.~k3x9q1"))) << name;
        EXPECT_TRUE(Files::exists(site + QStringLiteral("notes.txt.~1"))) << name;
        ASSERT_TRUE(QDir(site).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(site));
    }
}

// A failed generation never leaves an upload list naming pages it did not
// write.
TEST_F(MonthPage, FailureRemovesTheOldUploadList) {
    month();
    tmp.writeText(QStringLiteral("user/upload.tmp"), QStringLiteral("old,list.htm"));
    EXPECT_THROW(HTML0::MakeMonthPage(ctx, tmp.file(QStringLiteral("missing/index.htm")), QStringLiteral("2005/03"), 1,
                                      true, false, nullptr),
                 RuntimeError);
    EXPECT_FALSE(Files::exists(ctx.userPath + QStringLiteral("upload.tmp")));
}

// The feeds are written beside the making of the page, yet come first: a feed
// that fails is the error reported, even when the page failed as well, and
// leaves every page and the upload list as they were.
TEST_F(MonthPage, AFeedThatFailsLeavesThePagesAsTheyWere) {
    Files::writeText(ctx.rssIni, QStringLiteral("[GENERAL]\nRSSOn=1\n"));
    month();
    const QString page = site + QStringLiteral("index.htm");
    for (const bool pageFailsToo : {false, true}) {
        SCOPED_TRACE(pageFailsToo);
        tmp.writeText(QStringLiteral("site/index.htm"), QStringLiteral("old page"));
        tmp.writeText(QStringLiteral("user/upload.tmp"), QStringLiteral("old,list.htm"));
        SiteContext broken = ctx;
        if (pageFailsToo) broken.databasePath = tmp.file(QStringLiteral("user/none.mdb"));
        const HTML0::FeedWriter failing = [](const QString&, const QString&) {
            return MonthFeeds{true, QStringLiteral("http://example.jp/diary/index"), [] {
                                  throw RuntimeError(ErrorNumber::PermissionDenied,
                                                     QStringLiteral("書き込みできません。(〜¥−🍣/index_ATOM.xml)"));
                              }};
        };
        bool askedMeanwhile = false;
        try {
            HTML0::MakeMonthPage(broken, page, QStringLiteral("2005/03"), 1, true, false, failing,
                                 [&] { askedMeanwhile = true; });
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, ErrorNumber::PermissionDenied);
            EXPECT_EQ(e.description, QStringLiteral("書き込みできません。(〜¥−🍣/index_ATOM.xml)"));
        }
        EXPECT_EQ(askedMeanwhile, !pageFailsToo);
        EXPECT_EQ(tmp.read(QStringLiteral("site/index.htm")), QByteArray("old page"));
        EXPECT_FALSE(Files::exists(ctx.userPath + QStringLiteral("upload.tmp")));
    }
}

// A page is written only once the feeds are: one that takes its time finds
// no page of the month written when it ends, nor had the caller's work done
// meanwhile written any.
TEST_F(MonthPage, PagesWaitForTheFeeds) {
    Files::writeText(ctx.rssIni, QStringLiteral("[GENERAL]\nRSSOn=1\n"));
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    month();
    const QStringList pages = {site + QStringLiteral("200503.htm"), site + QStringLiteral("200503_01.htm")};
    std::atomic<int> pagesSeenByFeeds = -1;
    int pagesSeenMeanwhile = -1;
    const auto written = [&] { return int(std::count_if(pages.begin(), pages.end(), Files::exists)); };
    make(QStringLiteral("200503.htm"), 1, true, false, [&](const QString&, const QString&) {
        return MonthFeeds{true, QStringLiteral("http://example.jp/diary/200503"), [&] {
                              std::this_thread::sleep_for(std::chrono::milliseconds(30));
                              pagesSeenByFeeds = written();
                          }};
    });
    EXPECT_EQ(pagesSeenByFeeds, 0);
    EXPECT_EQ(written(), 2);
    for (const QString& p : pages) ASSERT_TRUE(QFile::remove(p));
    HTML0::MakeMonthPage(ctx, site + QStringLiteral("200503.htm"), QStringLiteral("2005/03"), 1, true, false,
                         HTML0::FeedWriter(), [&] { pagesSeenMeanwhile = written(); });
    EXPECT_EQ(pagesSeenMeanwhile, 0);
    EXPECT_EQ(written(), 2);
}

// A set handed on by someone else names its blocks: a name that leaves the
// set folder reads nothing there, so no file elsewhere reaches a page that
// is then uploaded; a name of the folder's own, whatever its characters and
// the letter case of its ".htm" (the window lists and edits it so), is read.
TEST_F(MonthPage, ABlockNameThatLeavesTheSetFolderReadsNothing) {
    tmp.writeText(QStringLiteral("secret.htm"), QStringLiteral("secret-outside"));
    tmp.writeText(QStringLiteral("data/notes.htm"), QStringLiteral("notes-of-data"));
    tmp.writeText(QStringLiteral("data/Customize/sub/inner.htm"), QStringLiteral("inner-of-sub"));
    tmp.writeText(QStringLiteral("data/Customize/〜¥−🍣.htm"), QStringLiteral("own-block"));
    tmp.writeText(QStringLiteral("data/Customize/Capital.HTM"), QStringLiteral("capital-block"));
    struct Case {
        const char* name;
        const char* text;  // what the block reads as
    };
    for (const Case& c : {Case{"../../secret", ""}, Case{"../notes", ""}, Case{"sub/inner", ""},
                          Case{"sub/../../notes", ""}, Case{"〜¥−🍣", "own-block"}, Case{"head", "<meta name=x content=y>"},
                          Case{"Capital", "capital-block"}}) {
        ASSERT_TRUE(Files::writeText(ctx.custIni, QStringLiteral("[General]\nHeadTag=%1\n").arg(QString::fromUtf8(c.name))));
        EXPECT_EQ(ctx.textBlock("General", "HeadTag"), QString::fromUtf8(c.text)) << c.name;
    }
    design(QString::fromUtf8(kDesign).replace(QStringLiteral("HeadTag=head"), QStringLiteral("HeadTag=../../secret"))
               .replace(QStringLiteral("UpText=up"), QStringLiteral("UpText=../notes")));
    month();
    make(QStringLiteral("rarav.htm"));
    const QString page = linesOf(site + QStringLiteral("rarav.htm")).join(QLatin1Char('\n'));
    EXPECT_FALSE(page.contains(QStringLiteral("secret-outside")));
    EXPECT_FALSE(page.contains(QStringLiteral("notes-of-data")));
    EXPECT_TRUE(page.contains(QStringLiteral("<p>下</p>")));
}
