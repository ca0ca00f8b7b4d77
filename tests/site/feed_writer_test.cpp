#include "platform/codepage.h"
#include "site/feed_page.h"
#include "site/month_page.h"
#include "site/feed_text.h"
#include "site/feed_urls.h"
#include "site/html2text.h"
#include "site/rss_reader.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"
#include "tests/support/time_zone.h"

#include <QDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

// The feeds give local times the zone's offset; the fixtures are in Japan.
using ZoneTime = ScopedTimeZone;

struct Entry {
    const char* day;
    int number;
    QString title;
    QString contents;
    const char* publishTime = "";
    bool isPrivate = false;
    const char* genre = "";
};

// Texts of every child element directly inside a parent element, in order;
// fails the test when the document is not well-formed XML.
QStringList texts(const QByteArray& xml, const QString& parent, const QString& child) {
    QXmlStreamReader r(xml);
    QStringList stack, found;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (r.qualifiedName() == child && !stack.isEmpty() && stack.last() == parent) {
                found << r.readElementText(QXmlStreamReader::IncludeChildElements);
                continue;
            }
            stack << r.qualifiedName().toString();
        } else if (r.isEndElement()) {
            stack.removeLast();
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString() << " at line " << r.lineNumber();
    return found;
}

class FeedWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = makeDatabase(dir.file(QStringLiteral("rarav.mdb")));
        rssIni = dir.writeText(QStringLiteral("RSS.ini"),
                               QStringLiteral("[GENERAL]\nRSSOn=1\n[Setting]\nTitle=日記 & <メモ>\nHPURL=http://example.jp/\n"
                                              "RaravURL=http://example.jp/diary/index.htm\nDescription=説明\n"
                                              "[RSS2.0]\nManagingAuthor=me@example.jp\nWebMaster=\n[ATOM]\nAuthor=私\n"));
        frameIni = dir.writeText(QStringLiteral("Frame.ini"), QStringLiteral("[Divide]\nRaravDivide=0\n"));
        context = {db, frameIni, QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT_RSS.ini")};
        Files::makeFolder(dir.file(QStringLiteral("site")));
        page = dir.file(QStringLiteral("site/index.htm"));
        Clock::set(QDateTime(QDate(2005, 6, 2), QTime(10, 20, 30)));
    }
    void TearDown() override { Clock::reset(); }

    void add(const Entry& e) {
        Database d(db);
        d.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Genre, PublishTime, Private)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?)"),
               {QString::fromUtf8(e.day), e.number, e.title, e.contents, QString::fromUtf8(e.genre),
                QString::fromUtf8(e.publishTime), e.isPrivate ? 1 : 0});
    }
    QByteArray feed(const char* suffix) const { return dir.read(QStringLiteral("site/index") + QLatin1String(suffix)); }

    ZoneTime japan{"Asia/Tokyo"};
    TempFolder dir;
    QString db, rssIni, frameIni, page;
    FeedContext context;
};

}  // namespace

TEST_F(FeedWriterTest, FourFeedsHoldTheTenNewestPublicEntriesOfTheNewestPublicMonth) {
    // Twelve public entries in May, an older month, and a private entry in
    // June that must not pull the feeds into June.
    for (int d = 10; d <= 15; ++d) {
        for (int n = 1; n <= 2; ++n) {
            add({QStringLiteral("2005/05/%1").arg(d).toUtf8().constData(), n,
                 QStringLiteral("記事 %1-%2").arg(d).arg(n), QStringLiteral("<p>本文 %1</p>").arg(d),
                 "2005/05/15 09:05:03"});
        }
    }
    add({"2005/04/30", 1, QStringLiteral("old"), QStringLiteral("old"), "2005/04/30 10:00:00"});
    add({"2005/06/01", 1, QStringLiteral("private"), QStringLiteral("secret"), "2005/06/01 10:00:00", true});

    const Feeds::PageFeeds feeds = Feeds::writePageFeeds(page, rssIni, context);
    ASSERT_TRUE(feeds.on);
    EXPECT_EQ(feeds.linkBase, QStringLiteral("http://example.jp/diary/index"));
    const QString folder = dir.path() + QStringLiteral("site");
    EXPECT_EQ(feeds.uploadLines, (QStringList{folder + ",index_RSS091.xml", folder + ",index_RSS100.xml",
                                               folder + ",index_RSS200.xml", folder + ",index_ATOM.xml"}));

    QStringList expected;
    for (int d = 15; d >= 11; --d) {
        for (int n = 2; n >= 1; --n) {
            expected << QStringLiteral("http://example.jp/diary/index.htm#2005/05/%1_%2").arg(d).arg(n);
        }
    }
    EXPECT_EQ(texts(feed("_RSS091.xml"), "item", "link"), expected);
    EXPECT_EQ(texts(feed("_RSS100.xml"), "item", "link"), expected);
    EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "guid"), expected);
    EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "id"), expected);
    EXPECT_EQ(texts(feed("_RSS100.xml"), "item", "dc:date").value(0), QStringLiteral("2005-05-15T09:05:03+09:00"));
    EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "modified").value(0), QStringLiteral("2005-05-15T09:05:03+09:00"));
    EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "issued").value(0), QStringLiteral("2005-06-02T10:20:30+09:00"));
    EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "pubDate").value(0), QStringLiteral("Sun, 15 May 2005 09:05:03 +0900"));
    EXPECT_EQ(texts(feed("_RSS200.xml"), "channel", "lastBuildDate").value(0),
              QStringLiteral("Thu, 2 Jun 2005 10:20:30 +0900"));
    EXPECT_EQ(texts(feed("_RSS091.xml"), "item", "description").value(0), QStringLiteral("本文 15"));
    for (const char* suffix : {"_RSS091.xml", "_RSS100.xml", "_RSS200.xml", "_ATOM.xml"}) {
        EXPECT_TRUE(feed(suffix).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n")) << suffix;
        EXPECT_EQ(texts(feed(suffix), suffix == std::string("_ATOM.xml") ? "feed" : "channel", "title").value(0),
                  QStringLiteral("日記 & <メモ>"))
            << suffix;
    }
}

TEST_F(FeedWriterTest, OneEntryDocumentsAreExact) {
    add({"2005/05/15", 2, QStringLiteral("A & B <i>"), QStringLiteral("<b>太字</b>\r\n\"引用\" & 続き"),
         "2005/05/15 09:05:03", false, "日常&雑記"});
    clsRSSreader writer(context);
    ASSERT_TRUE(writer.Initialize(rssIni));
    writer.SetFilePath(page);
    writer.MakeRSS();

    const QString a = QStringLiteral("http://example.jp/diary/index.htm#2005/05/15_2");
    const QString channel = QStringLiteral("<title>日記 &amp; &lt;メモ&gt;</title>\r\n"
                                           "<link>http://example.jp/diary/index.htm</link>\r\n"
                                           "<description>説明</description>\r\n");
    const QString summary = QStringLiteral("太字\"引用\" &amp; 続き");
    const QString head = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n");
    const QString version = Shell::versionText();

    EXPECT_EQ(QString::fromUtf8(feed("_RSS091.xml")).toStdString(),
              (head + "<rss version=\"0.91\">\r\n<channel>\r\n" + channel +
               "<language>ja</language>\r\n<lastBuildDate>Thu, 2 Jun 2005 10:20:30 +0900</lastBuildDate>\r\n"
               "<docs>http://backend.userland.com/stories/rss091</docs>\r\n"
               "<item>\r\n<title>A &amp; B &lt;i&gt;</title>\r\n<link>" + a + "</link>\r\n<description>" + summary +
               "</description>\r\n</item>\r\n</channel>\r\n</rss>").toStdString());

    EXPECT_EQ(QString::fromUtf8(feed("_RSS100.xml")).toStdString(),
              (head + "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
                      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns=\"http://purl.org/rss/1.0/\" xml:lang=\"ja\">\r\n"
                      "<channel rdf:about=\"http://example.jp/\">\r\n" + channel +
               "<items>\r\n<rdf:Seq>\r\n<rdf:li rdf:resource=\"" + a + "\" /></rdf:Seq>\r\n</items>\r\n</channel>\r\n"
               "<item rdf:about=\"" + a + "\">\r\n<title>A &amp; B &lt;i&gt;</title>\r\n<link>" + a +
               "</link>\r\n<description>" + summary + "</description>\r\n"
               "<dc:date>2005-05-15T09:05:03+09:00</dc:date>\r\n</item>\r\n</rdf:RDF>").toStdString());

    EXPECT_EQ(QString::fromUtf8(feed("_RSS200.xml")).toStdString(),
              (head + "<rss version=\"2.0\">\r\n<channel>\r\n" + channel +
               "<language>ja</language>\r\n<managingEditor>me@example.jp</managingEditor>\r\n<webMaster></webMaster>\r\n"
               "<lastBuildDate>Thu, 2 Jun 2005 10:20:30 +0900</lastBuildDate>\r\n"
               "<generator>Quillby v" + version + "</generator>\r\n"
               "<docs>http://blogs.law.harvard.edu/tech/rss</docs>\r\n"
               "<item>\r\n<title>A &amp; B &lt;i&gt;</title>\r\n<link>" + a + "</link>\r\n<description>" + summary +
               "</description>\r\n<author>me@example.jp</author><category>日常&amp;雑記</category><guid>" + a +
               "</guid><pubDate>Sun, 15 May 2005 09:05:03 +0900</pubDate></item>\r\n</channel>\r\n</rss>").toStdString());

    EXPECT_EQ(QString::fromUtf8(feed("_ATOM.xml")).toStdString(),
              (head + "<feed xmlns:dc=\"http://purl.org/dc/elements/1.1/\" version=\"0.3\" xml:lang=\"ja\" "
                      "xmlns=\"http://purl.org/atom/ns#\">\r\n"
                      "<title>日記 &amp; &lt;メモ&gt;</title>\r\n"
                      "<link rel=\"alternate\" type=\"text/html\" href=\"http://example.jp/diary/index.htm\" "
                      "title=\"日記 &amp; &lt;メモ&gt;\"/>\r\n"
                      "<modified>2005-06-02T10:20:30+09:00</modified>\r\n"
                      "<tagline>http://example.jp/diary/index.htm</tagline>\r\n"
                      "<generator>Quillby v" + version + "</generator>\r\n"
                      "<author>\r\n<name>私</name>\r\n<email>me@example.jp</email>\r\n</author>\r\n"
                      "<id>http://example.jp/diary/index.htm</id><entry>\r\n"
                      "<title>A &amp; B &lt;i&gt;</title>\r\n<dc:subject>日常&amp;雑記</dc:subject>\r\n"
                      "<link rel=\"alternate\" type=\"text/html\" href=\"" + a + "\" title=\"A &amp; B &lt;i&gt;\"/>\r\n"
                      "<id>" + a + "</id><modified>2005-05-15T09:05:03+09:00</modified>"
                      "<issued>2005-06-02T10:20:30+09:00</issued>"
                      "<summary mode=\"escaped\" type=\"text/html\">" + summary + "</summary>\r\n"
                      "<content mode=\"escaped\" type=\"text/html\" xml:lang=\"ja\">&lt;b&gt;太字&lt;/b&gt;\r\n"
                      "\"引用\" &amp; 続き</content>\r\n</entry>\r\n</feed>").toStdString());
}

// Save times in a zone with summer time: one the zone skips moves forward by
// the gap, one it repeats is its first occurrence; every date is whole.
TEST_F(FeedWriterTest, DatesAreWholeInZonesWithSummerTime) {
    const struct {
        const char* zone;
        const char* saved;
        const char* stamp;
        const char* mail;
    } cases[] = {
        {"Europe/Berlin", "2026/03/29 02:30:00", "2026-03-29T03:30:00+02:00", "Sun, 29 Mar 2026 03:30:00 +0200"},
        {"Europe/Berlin", "2026/10/25 02:30:00", "2026-10-25T02:30:00+02:00", "Sun, 25 Oct 2026 02:30:00 +0200"},
        {"Europe/Berlin", "2026/10/25 03:30:00", "2026-10-25T03:30:00+01:00", "Sun, 25 Oct 2026 03:30:00 +0100"},
        {"Europe/Berlin", "2026/07/01 12:00:00", "2026-07-01T12:00:00+02:00", "Wed, 1 Jul 2026 12:00:00 +0200"},
        {"America/New_York", "2026/03/08 02:30:00", "2026-03-08T03:30:00-04:00", "Sun, 8 Mar 2026 03:30:00 -0400"},
        {"America/New_York", "2026/11/01 01:30:00", "2026-11-01T01:30:00-04:00", "Sun, 1 Nov 2026 01:30:00 -0400"},
        {"America/New_York", "2026/01/15 23:59:59", "2026-01-15T23:59:59-05:00", "Thu, 15 Jan 2026 23:59:59 -0500"},
        {"Asia/Tokyo", "2026/03/29 02:30:00", "2026-03-29T02:30:00+09:00", "Sun, 29 Mar 2026 02:30:00 +0900"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.saved);
        ZoneTime zone(c.zone);
        Database(db).exec(QStringLiteral("DELETE FROM Contents"));
        const QByteArray day = QByteArray(c.saved).left(10);
        add({day.constData(), 1, QStringLiteral("t"), QStringLiteral("b"), c.saved});
        clsRSSreader writer(context);
        ASSERT_TRUE(writer.Initialize(rssIni));
        writer.SetFilePath(page);
        writer.MakeRSS();
        EXPECT_EQ(texts(feed("_RSS100.xml"), "item", "dc:date"), QStringList{c.stamp});
        EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "modified"), QStringList{c.stamp});
        EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "pubDate"), QStringList{c.mail});
    }
}

TEST_F(FeedWriterTest, SummariesAreCutOutsideRss2AndStayWellFormed) {
    const QString exact = QString(250, QLatin1Char('x'));
    const QString longer = QString(250, QLatin1Char('y')) + QLatin1Char('Z');
    // A pair that the cut would split is dropped whole; control characters
    // that XML cannot hold are dropped from every text.
    const QString pair = QString(249, QLatin1Char('p')) + QString::fromUtf8("😀") + QStringLiteral("q");
    add({"2005/05/03", 1, QStringLiteral("ctl\x01title"), exact, "2005/05/03 01:02:03"});
    add({"2005/05/02", 1, QStringLiteral("t2"), longer, "2005/05/02 01:02:03"});
    add({"2005/05/01", 1, QStringLiteral("t3"), pair, ""});
    ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);

    for (const char* suffix : {"_RSS091.xml", "_RSS100.xml"}) {
        EXPECT_EQ(texts(feed(suffix), "item", "description"),
                  (QStringList{exact, longer.left(250), pair.left(249)})) << suffix;
    }
    EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "summary"), (QStringList{exact, longer.left(250), pair.left(249)}));
    EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "description"), (QStringList{exact, longer, pair}));
    EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "title").value(0), QStringLiteral("ctltitle"));
    // No save time (a clipboard import): the start of its day.
    EXPECT_EQ(texts(feed("_RSS100.xml"), "item", "dc:date").value(2), QStringLiteral("2005-05-01T00:00:00+09:00"));
    EXPECT_EQ(texts(feed("_RSS200.xml"), "item", "pubDate").value(2), QStringLiteral("Sun, 1 May 2005 00:00:00 +0900"));
}

// A day that another client stored in a form no month holds ("2005/6/1",
// which sorts after every "2005/0.." day, or no date at all) is not taken
// for the newest month: the feeds keep the entries of the newest month.
TEST_F(FeedWriterTest, ADayOfAnotherFormDoesNotEmptyTheFeeds) {
    add({"2005/05/14", 1, QStringLiteral("a"), QStringLiteral("b"), "2005/05/14 10:00:00"});
    add({"2005/05/15", 1, QStringLiteral("c"), QStringLiteral("d"), "2005/05/15 10:00:00"});
    for (const char* odd : {"2005/6/1", "x"}) {
        SCOPED_TRACE(odd);
        Database(db).exec(QStringLiteral("DELETE FROM Contents WHERE Title = 'odd'"));
        add({odd, 1, QStringLiteral("odd"), QStringLiteral("e"), ""});
        ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);
        const QStringList expected{QStringLiteral("http://example.jp/diary/index.htm#2005/05/15_1"),
                                   QStringLiteral("http://example.jp/diary/index.htm#2005/05/14_1")};
        EXPECT_EQ(texts(feed("_RSS091.xml"), "item", "link"), expected);
        EXPECT_EQ(texts(feed("_ATOM.xml"), "entry", "id"), expected);
    }
}

TEST_F(FeedWriterTest, NoPublicEntryStillWritesEmptyChannels) {
    add({"2005/05/01", 1, QStringLiteral("private"), QStringLiteral("x"), "", true});
    const Feeds::PageFeeds feeds = Feeds::writePageFeeds(page, rssIni, context);
    ASSERT_TRUE(feeds.on);
    EXPECT_EQ(feeds.uploadLines.size(), 4);
    for (const char* suffix : {"_RSS091.xml", "_RSS100.xml", "_RSS200.xml"}) {
        EXPECT_EQ(texts(feed(suffix), "channel", "title").size(), 1) << suffix;
        EXPECT_TRUE(texts(feed(suffix), "item", "title").isEmpty()) << suffix;
    }
    EXPECT_TRUE(texts(feed("_ATOM.xml"), "entry", "id").isEmpty());
    EXPECT_EQ(texts(feed("_ATOM.xml"), "feed", "id"), QStringList{QStringLiteral("http://example.jp/diary/index.htm")});
}

TEST_F(FeedWriterTest, MissingFeedRulesConvertWithTheDefaults) {
    context.converterIniFile = dir.file(QStringLiteral("HTML2TXT_RSS.ini"));
    add({"2005/05/01", 1, QStringLiteral("t"), QStringLiteral("<p>a<br>b</p><a href=\"x.htm\">c</a>"), ""});
    ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);
    EXPECT_EQ(texts(feed("_RSS091.xml"), "item", "description"), QStringList{QStringLiteral("ab[リンク:x.htm]c")});

    // Rules that cannot be read (a number out of range) fall back the same way.
    context.converterIniFile = dir.writeText(QStringLiteral("bad.ini"), QStringLiteral("[HR]\nNUM=99999\n"));
    ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);
    EXPECT_EQ(texts(feed("_RSS091.xml"), "item", "description"), QStringList{QStringLiteral("ab[リンク:x.htm]c")});
}

TEST_F(FeedWriterTest, UnusableSettingsLeaveTheOldFeedsAlone) {
    add({"2005/05/01", 1, QStringLiteral("t"), QStringLiteral("b"), ""});
    dir.write(QStringLiteral("site/index_RSS091.xml"), "old");
    for (const char* ini : {"[GENERAL]\nRSSOn=0\n[Setting]\nRaravURL=http://x/i.htm\n",
                            "[GENERAL]\nRSSOn=1\n[Setting]\nTitle=t\nRaravURL=\n"}) {
        const QString path = dir.writeText(QStringLiteral("off.ini"), QString::fromUtf8(ini));
        const Feeds::PageFeeds feeds = Feeds::writePageFeeds(page, path, context);
        EXPECT_FALSE(feeds.on) << ini;
        EXPECT_TRUE(feeds.uploadLines.isEmpty());
        EXPECT_TRUE(feeds.headLinks().isEmpty());
        EXPECT_EQ(dir.read(QStringLiteral("site/index_RSS091.xml")), QByteArray("old"));
        EXPECT_FALSE(Files::exists(dir.file(QStringLiteral("site/index_ATOM.xml"))));
    }
    clsRSSreader writer(context);
    EXPECT_FALSE(writer.Initialize(QString()));
    EXPECT_FALSE(writer.Initialize(dir.file(QStringLiteral("none.ini"))));

    // Without Title and Description the channel has the defaults.
    const QString bare = dir.writeText(QStringLiteral("bare.ini"), QStringLiteral("[GENERAL]\nRSSOn=1\n[Setting]\nRaravURL=http://x/i.htm\n"));
    const Feeds::PageFeeds feeds = Feeds::writePageFeeds(page, bare, context);
    ASSERT_TRUE(feeds.on);
    EXPECT_EQ(texts(feed("_RSS200.xml"), "channel", "title"), QStringList{QStringLiteral("日記")});
    EXPECT_EQ(texts(feed("_RSS200.xml"), "channel", "description"), QStringList{QStringLiteral("日記です。")});
    EXPECT_EQ(feeds.headLinks().value(3),
              QStringLiteral("<link rel=\"alternate\" type=\"application/atom+xml\" title=\"Atom0.3\" href=\"http://x/i_ATOM.xml\" />"));
    EXPECT_EQ(feeds.footLinks(),
              QStringLiteral("<p align=center><a href=\"http://x/i_RSS091.xml\">RSS0.91</a> | <a href=\"http://x/i_RSS100.xml\">"
                             "RSS1.0</a> | <a href=\"http://x/i_RSS200.xml\">RSS2.0</a> | <a href=\"http://x/i_ATOM.xml\">ATOM</a></p>"));
}

TEST_F(FeedWriterTest, MissingFolderOrDatabaseReachesTheCaller) {
    clsRSSreader writer(context);
    ASSERT_TRUE(writer.Initialize(rssIni));
    writer.SetFilePath(dir.file(QStringLiteral("nowhere/index.htm")));
    try {
        writer.MakeRSS();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::PathNotFound);
    }
    clsRSSreader noDatabase({dir.file(QStringLiteral("none.mdb")), frameIni, context.converterIniFile});
    ASSERT_TRUE(noDatabase.Initialize(rssIni));
    noDatabase.SetFilePath(page);
    EXPECT_THROW(noDatabase.MakeRSS(), RuntimeError);
}

TEST_F(FeedWriterTest, DividedPagesGiveTheItemsTheirPages) {
    for (int d = 1; d <= 9; ++d) add({QStringLiteral("2005/05/%1").arg(d, 2, 10, QLatin1Char('0')).toUtf8().constData(), 1,
                                      QStringLiteral("t"), QStringLiteral("b"), ""});
    dir.writeText(QStringLiteral("Frame.ini"), QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=7\nRaravOnTop=1\n[Frame]\nFrameOn=1\n"));
    ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);
    const QStringList links = texts(feed("_RSS100.xml"), "item", "link");
    ASSERT_EQ(links.size(), 9);
    EXPECT_EQ(links[0], QStringLiteral("http://example.jp/diary/index_D.htm#2005/05/09_1"));
    EXPECT_EQ(links[6], QStringLiteral("http://example.jp/diary/index_D.htm#2005/05/03_1"));
    EXPECT_EQ(links[7], QStringLiteral("http://example.jp/diary/index_D_01.htm#2005/05/02_1"));
}

// A day another client stored past any month's end ("2005/05/99") or with a
// sign ("2005/05/-1") has no place in the table of the month's pages: the
// table was written outside itself. Its item links the main page; the other
// days keep their pages.
TEST_F(FeedWriterTest, ADayOutsideTheMonthHasNoPage) {
    for (const char* day : {"2005/05/99", "2005/05/20", "2005/05/-1", "2005/05/10"})
        add({day, 1, QStringLiteral("t"), QStringLiteral("b"), ""});
    dir.writeText(QStringLiteral("Frame.ini"), QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=1\nRaravOnTop=1\n"));
    ASSERT_TRUE(Feeds::writePageFeeds(page, rssIni, context).on);
    EXPECT_EQ(texts(feed("_RSS100.xml"), "item", "link"),
              (QStringList{"http://example.jp/diary/index.htm#2005/05/99_1", "http://example.jp/diary/index_01.htm#2005/05/20_1",
                           "http://example.jp/diary/index_02.htm#2005/05/10_1",
                           "http://example.jp/diary/index.htm#2005/05/-1_1"}));
    const DayPageMap map = buildDayPageMap({"2005/05/99", "2005/05/20", "2005/05/-1", "2005/05/10", "2005/05/00"}, 1, true);
    EXPECT_EQ(map[20], 1);
    EXPECT_EQ(map[10], 3);
    EXPECT_EQ(map.lastPage, 4);
    for (int d = 1; d <= 31; ++d) {
        if (d == 20 || d == 10) continue;
        EXPECT_EQ(map[d], -1) << d;
    }
}

TEST(FeedUrls, ItemAddressTable) {
    using FeedUrls::Division;
    const QString d = QStringLiteral("http://h.jp/d/index.htm");
    QStringList newestFirst;
    for (int day = 20; day >= 1; --day) newestFirst << QStringLiteral("2005/05/%1").arg(day, 2, 10, QLatin1Char('0'));
    const auto map7top = buildDayPageMap(newestFirst, 7, true);
    const auto map7 = buildDayPageMap(newestFirst, 7, false);
    const auto map1top = buildDayPageMap(newestFirst, 1, true);
    struct Case { Division division; const DayPageMap* map; const char* day; const char* expected; };
    const Case cases[] = {
        {{}, &map7, "2005/05/15", "http://h.jp/d/index.htm#2005/05/15"},
        {{false, true, 31, false, true}, &map7, "2005/05/15", "http://h.jp/d/index_D.htm#2005/05/15"},
        {{true, true, 7, false, false}, &map7top, "2005/05/14", "http://h.jp/d/index.htm#2005/05/14"},
        {{true, true, 7, false, true}, &map7top, "2005/05/14", "http://h.jp/d/index_D.htm#2005/05/14"},
        {{true, true, 7, false, false}, &map7top, "2005/05/13", "http://h.jp/d/index_01.htm#2005/05/13"},
        {{true, true, 7, false, true}, &map7top, "2005/05/07", "http://h.jp/d/index_D_01.htm#2005/05/07"},
        {{true, false, 7, false, false}, &map7, "2005/05/20", "http://h.jp/d/index_01.htm#2005/05/20"},
        {{true, false, 7, false, false}, &map7, "2005/05/13", "http://h.jp/d/index_02.htm#2005/05/13"},
        {{true, true, 1, true, false}, &map1top, "2005/05/20", "http://h.jp/d/index.htm#2005/05/20"},
        {{true, true, 1, true, true}, &map1top, "2005/05/15", "http://h.jp/d/2005_05_15.htm#2005/05/15"},
        {{true, true, 1, true, false}, &map1top, "2005/05/15", "http://h.jp/d/2005_05_15.htm#2005/05/15"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(FeedUrls::itemUrl(d, QStringLiteral("index"), QLatin1String(k.day), k.division, *k.map).toStdString(), k.expected) << k.day;
    }
    EXPECT_EQ(map7top[20], 0);
    EXPECT_EQ(map7top[6], 2);
    EXPECT_EQ(map7top[21], -1);
    struct Address { const char* url; const char* base; const char* folder; };
    for (const Address& k : {Address{"http://h.jp/d/index.htm", "http://h.jp/d/index", "http://h.jp/d/"},
                             {"http://h.jp/d.x/top", "http://h.jp/d.x/index", "http://h.jp/d.x/"},
                             {"http://h.jp/d/", "http://h.jp/d/index", "http://h.jp/d/"},
                             {"http://h.jp", "http://h.jp/index", "http://h.jp/"},
                             {"index.htm", "index", ""}}) {
        EXPECT_EQ(FeedUrls::baseOf(QLatin1String(k.url), QStringLiteral("index")).toStdString(), k.base) << k.url;
        EXPECT_EQ(FeedUrls::folderOf(QLatin1String(k.url)).toStdString(), k.folder) << k.url;
    }
}

TEST(FeedText, EncoderAndEscaping) {
    struct Case { const char16_t* text; QByteArray bytes; };
    for (const Case& k : {Case{u"A", "\x41"}, {u"\u00E9", "\xC3\xA9"}, {u"\u65E5", "\xE6\x97\xA5"},
                          {u"\u8A18", "\xE8\xA8\x98"}, {u"\uFF71", "\xEF\xBD\xB1"}, {u"\U0001F600", "\xF0\x9F\x98\x80"}}) {
        EXPECT_EQ(FeedText::ToUTF8Bytes(QString::fromUtf16(k.text)).toHex(), k.bytes.toHex());
    }
    EXPECT_EQ(FeedText::EscapeXml(QStringLiteral("a&b<c>d\"e'&amp;")), QStringLiteral("a&amp;b&lt;c&gt;d\"e'&amp;amp;"));
    EXPECT_EQ(FeedText::escapeAttribute(QStringLiteral("a\"&")), QStringLiteral("a&quot;&amp;"));
    EXPECT_EQ(FeedText::EscapeXml(QString::fromUtf16(u"a\x0B\tb\r\n") + QChar(0xD800) + QStringLiteral("c")),
              QStringLiteral("a\tb\r\nc"));

    clsHTML2TEXT rules;
    rules.LoadDefaults();
    EXPECT_EQ(FeedText::summaryText(rules, QStringLiteral("a<br>b\r\nc</p>d &amp; e")), QStringLiteral("abcd & e"));
}

namespace {

// The month page writes its feeds through the real writer.
// The stored time is read exactly as Qt's parser of its format reads it;
// anything else falls back to the entry's day at midnight.
TEST(FeedText, PublishTimeIsReadAsTheFormatParserReadsIt) {
    const QString day = QStringLiteral("2024/03/05");
    const QDateTime midnight(QDate(2024, 3, 5), QTime(0, 0));
    const struct {
        const char* text;
        QDateTime expected;
    } cases[] = {
        {"2024/03/05 21:07:09", QDateTime(QDate(2024, 3, 5), QTime(21, 7, 9))},
        {"  2024/12/31 23:59:59 ", QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59))},
        {"2024/02/30 10:00:00", midnight},
        {"2024/03/05 24:00:00", midnight},
        {"2024-03-05 21:07:09", midnight},
        {"", midnight},
        {"2024/3/5 1:02:03", QDateTime::fromString(QStringLiteral("2024/3/5 1:02:03"),
                                                   QStringLiteral("yyyy/MM/dd hh:mm:ss"))},
    };
    for (const auto& c : cases) {
        const QDateTime expected = c.expected.isValid() ? c.expected : midnight;
        EXPECT_EQ(FeedText::publishTimeOf(QString::fromUtf8(c.text), day), expected) << c.text;
    }
}

// A month page saved through the main window's state, with its feeds on.
class MonthPageFeeds : public ::testing::Test {
protected:
    TempFolder t;
    Shell::SharedState& s = Shell::state();

    void SetUp() override {
        s = Shell::SharedState();
        s.UserPath = s.DataPath = s.MyPath = t.path();
        s.RSSIniFile = t.writeText("RSS.ini", "[GENERAL]\nRSSOn=1\n[Setting]\nRaravURL=http://example.jp/diary/index.htm\nTitle=A & B\n");
        s.CustIniFile = t.file("Customize.ini");
        s.FrameIniFile = t.file("Frame.ini");
        makeDatabase(s.databasePath());
        Database(s.databasePath()).exec("INSERT INTO Contents (Day, Number, Title, Contents) VALUES ('2024/05/03', 1, 'x & y', 'b')");
        QDir().mkpath(t.file("site"));
    }
    void TearDown() override { s = Shell::SharedState(); }
    void save() { HTML0::MakeMonthPage(t.file("site/index.htm"), "2024/05", HTML0::CurrentMonth, true, false); }
};

TEST_F(MonthPageFeeds, SaveWritesTheFourFeedsBesideThePage) {
    save();
    for (const char* suffix : {"_RSS091.xml", "_RSS100.xml", "_RSS200.xml", "_ATOM.xml"}) {
        const QByteArray xml = t.read(QStringLiteral("site/index") + suffix);
        QXmlStreamReader reader(xml);
        while (!reader.atEnd()) reader.readNext();
        EXPECT_FALSE(reader.hasError()) << suffix;
        EXPECT_TRUE(xml.contains("x &amp; y")) << suffix;
    }
    EXPECT_TRUE(Codepage::toUnicode(t.read("upload.tmp")).contains("index_ATOM.xml"));

    // A site address naming a folder: the page links the feeds by the page's
    // own name there, as the feeds name their items.
    t.writeText("RSS.ini", "[GENERAL]\nRSSOn=1\n[Setting]\nRaravURL=http://example.jp/diary/\n");
    save();
    EXPECT_TRUE(Codepage::toUnicode(t.read("site/index.htm")).contains("href=\"http://example.jp/diary/index_RSS091.xml\""));
}

// The feeds are written on a thread of their own while the page is made; one
// that cannot be written still stops the save before any page, with the
// error it has always given.
TEST_F(MonthPageFeeds, AFeedThatCannotBeWrittenStopsThePages) {
    QDir().mkpath(t.file("site/index_ATOM.xml"));
    t.writeText("site/index.htm", "old page");
    try {
        save();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::PermissionDenied);
        EXPECT_EQ(e.description, QStringLiteral("書き込みできません。(%1)").arg(t.file("site/index_ATOM.xml")));
    }
    EXPECT_EQ(t.read("site/index.htm"), QByteArray("old page"));
    EXPECT_TRUE(t.read("site/index_RSS200.xml").contains("x &amp; y"));
    EXPECT_FALSE(QFile::exists(t.file("upload.tmp")));
}

}  // namespace
