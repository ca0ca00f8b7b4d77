#include "web/export_entries.h"

#include "tests/support/scripted_prompts.h"
#include "tests/web/export_fixture.h"

#include <QDir>
#include <QFile>

namespace {

class Export : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        addEntry("2006/04/30", 1, "april", "a");
        addEntry("2006/05/01", 2, "second", "<b>two</b>");
        addEntry("2006/05/01", 1, "first", "<p>Hello<br>world</p>");
        addEntry("2006/05/31", 1, "last", "c");
        addEntry("2016/05/03", 1, "later", "d");
    }
    // May 2006, one file per entry, bodies as stored.
    static clsExport filePerEntryOfMay2006() {
        clsExport e;
        e.Period = 2;
        e.Period1 = "2006";
        e.Period2 = "5";
        e.Export = 2;
        e.Contents = 2;
        return e;
    }
    QStringList selected(clsExport& e) {
        QStringList out;
        for (const ExportRow& r : e.readEntries(Shell::state().databasePath())) out << r.Day + " " + r.Title;
        return out;
    }
};

}  // namespace

TEST(ExportTemplateFill, MarkersAreReplacedInOrderWhereverTheyOccur) {
    struct Case {
        const char* templ;
        ExportRow row;
        const char* contents;
        const char* expected;
    };
    const Case cases[] = {
        {"<--DAY--> <--TITLE--> <--GENRE--> <--WEATHER-->\n<--CONTENTS-->",
         {"2006/05/01", "晴", "日記", "t", "raw"}, "body", "2006/05/01 t 日記 晴\nbody"},
        {"<--TITLE-->/<--TITLE-->", {"d", "w", "g", "x", ""}, "", "x/x"},
        // A value holding a later marker has it replaced; an earlier one stays.
        {"<--TITLE-->", {"d", "w", "g", "see <--DAY--> and <--CONTENTS-->", ""}, "B", "see d and B"},
        {"<--CONTENTS-->", {"d", "w", "g", "t", ""}, "<--TITLE-->", "<--TITLE-->"},
        {"no markers <--title-->", {"d", "w", "g", "t", ""}, "B", "no markers <--title-->"},
        {"", {"d", "w", "g", "t", ""}, "B", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExportTemplate::fill(QString::fromUtf8(c.templ), c.row, QString::fromUtf8(c.contents)),
                  QString::fromUtf8(c.expected))
            << c.templ;
    }
}

TEST_F(Export, PeriodsSelectTheirDaysInTheChosenOrder) {
    struct Case {
        int period;
        const char* p1;
        const char* p2;
        const char* sort;
        QStringList expected;
    };
    const Case cases[] = {
        {1, "2006/05/01", "2006/05/31", "ASC", {"2006/05/01 first", "2006/05/01 second", "2006/05/31 last"}},
        {1, "2006/05/01", "2006/05/31", "DESC", {"2006/05/31 last", "2006/05/01 second", "2006/05/01 first"}},
        {1, "2007/01/01", "2007/12/31", "ASC", {}},
        {2, "2006", "5", "ASC", {"2006/05/01 first", "2006/05/01 second", "2006/05/31 last"}},
        {2, "2006", "05", "DESC", {"2006/05/31 last", "2006/05/01 second", "2006/05/01 first"}},
        {2, "2006", "%", "ASC", {}},
        {3, "2006/05/01", "", "DESC", {"2006/05/01 first", "2006/05/01 second"}},
    };
    for (const Case& c : cases) {
        clsExport e;
        e.Period = c.period;
        e.Period1 = c.p1;
        e.Period2 = c.p2;
        e.SortDir = c.sort;
        EXPECT_EQ(selected(e), c.expected) << c.period << " " << c.p1 << " " << c.p2 << " " << c.sort;
    }
}

TEST_F(Export, OneFileHoldsEveryEntryWholeWithConvertedOrRawBodies) {
    addEntry("2006/06/01", 1, "smile \U0001F600 ～", "x&amp;y<br>z");
    clsExport e;
    e.Period = 1;
    e.Period1 = "2006/05/31";
    e.Period2 = "2006/06/30";
    e.FileFullPath = t.file("out/all.txt");
    ASSERT_TRUE(e.Execute());
    EXPECT_EQ(out("all.txt"), "2006/05/31 last [日記/晴]\r\nc\r\n"
                              "2006/06/01 smile \U0001F600 ～ [日記/晴]\r\nx&y\r\nz\r\n");
    EXPECT_TRUE(t.read("out/all.txt").startsWith("\xEF\xBB\xBF")) << "UTF-8 where CP932 cannot hold the text";

    // HTML keeps what CP932 cannot hold as a character reference.
    e.eFormat = "HTML";
    e.Contents = 2;
    e.Period1 = "2006/06/01";
    e.FileFullPath = t.file("out/all.htm");
    ASSERT_TRUE(e.Execute());
    EXPECT_EQ(out("all.htm"), "<h2>smile &#x1F600; ～</h2>x&amp;y<br>z\r\n");

    // A period without entries leaves an empty file.
    e.Period1 = e.Period2 = "2001/01/01";
    ASSERT_TRUE(e.Execute());
    EXPECT_TRUE(QFile::exists(t.file("out/all.htm")));
    EXPECT_EQ(t.read("out/all.htm"), QByteArray());
}

TEST_F(Export, OneFilePerEntryIsNamedByDayOrTitle) {
    addEntry("2006/05/02", 1, "a/b", "slash");
    addEntry("2006/05/03", 1, "", "untitled");
    addEntry("2006/05/04", 1, "a_b", "underscore");
    clsExport e = filePerEntryOfMay2006();
    e.FileFullPath = t.path() + "out";
    ASSERT_TRUE(e.Execute());
    // Two entries of one day under day naming share the day's file, in
    // their order: neither is lost to the other.
    EXPECT_EQ(QDir(e.FileFullPath).entryList(QDir::Files),
              QStringList({"2006_05_01.txt", "2006_05_02.txt", "2006_05_03.txt", "2006_05_04.txt", "2006_05_31.txt"}));
    EXPECT_EQ(out("2006_05_01.txt"), "2006/05/01 first [日記/晴]\r\n<p>Hello<br>world</p>\r\n"
                                     "2006/05/01 second [日記/晴]\r\n<b>two</b>\r\n");

    // Title naming; a user-defined template takes its own extension.
    QDir(e.FileFullPath).removeRecursively();
    QDir().mkpath(e.FileFullPath);
    e.eFormat = "Blog.htm";
    e.Extension = "htm";
    e.FileNameFormat = 2;
    ASSERT_TRUE(e.Execute());
    EXPECT_EQ(QDir(e.FileFullPath).entryList(QDir::Files),
              QStringList({"2006_05_03.htm", "a_b.htm", "first.htm", "last.htm", "second.htm"}));
    EXPECT_EQ(out("a_b.htm"), "<p>a/b</p>\r\n<p>a_b</p>\r\n");

    // No entries, no files; a missing template gives an empty line per entry.
    QDir(e.FileFullPath).removeRecursively();
    QDir().mkpath(e.FileFullPath);
    e.Period2 = "7";
    ASSERT_TRUE(e.Execute());
    EXPECT_TRUE(QDir(e.FileFullPath).entryList(QDir::Files).isEmpty());
    e.Period2 = "4";
    e.eFormat = "gone.txt";
    e.Extension = "txt";
    ASSERT_TRUE(e.Execute());
    EXPECT_EQ(t.read("out/april.txt"), QByteArray("\r\n"));
}

TEST_F(Export, UnreadableConverterSettingsWriteNothing) {
    ScopedPrompts prompts;
    clsExport e;
    e.Period = 3;
    e.Period1 = "2006/05/01";
    e.Contents = 2;
    e.FileFullPath = t.file("out/day.txt");
    for (const char* settings : {"", "[HR]\nNUM=99999\n"}) {
        QFile::remove(t.file("HTML2TXT.ini"));
        if (*settings) t.writeText("HTML2TXT.ini", settings);
        prompts->expectMessage("HTML2TXT Initializeファイル読み込みエラー");
        EXPECT_FALSE(e.Execute()) << settings;
        EXPECT_FALSE(QFile::exists(e.FileFullPath));
    }
}

TEST_F(Export, WriteFailureReachesTheCaller) {
    clsExport e;
    e.Period = 3;
    e.Period1 = "2006/05/01";
    e.FileFullPath = t.file("missing/day.txt");
    try {
        e.Execute();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& err) {
        EXPECT_TRUE(err.description.contains("ファイルの書き込みに失敗しました。"));
        // The reason follows the path.
        EXPECT_TRUE(err.description.contains(QString::fromLocal8Bit(strerror(ENOENT)))) << err.description.toStdString();
    }
}

// A title of 100 Japanese characters is 300 bytes, beyond a file name's 255:
// the name is shortened at a character boundary and keeps its extension.
TEST_F(Export, LongTitlesAreShortenedToANameTheFileSystemTakes) {
    const QString kanji = QString(100, QChar(0x65E5));
    const QString sushi = QString::fromUtf8("寿") + QString::fromUcs4(U"🍣").repeated(80);
    addEntry("2006/05/02", 1, kanji.toUtf8().constData(), "long");
    addEntry("2006/05/03", 1, sushi.toUtf8().constData(), "emoji");
    clsExport e = filePerEntryOfMay2006();
    e.FileNameFormat = 2;
    e.FileFullPath = t.path() + "out";
    ASSERT_TRUE(e.Execute());
    QStringList names = QDir(e.FileFullPath).entryList({"*寿*", QString(kanji.left(3) + "*")}, QDir::Files);
    ASSERT_EQ(names.size(), 2);
    for (const QString& name : names) {
        EXPECT_TRUE(name.endsWith(".txt")) << name.toStdString();
        EXPECT_LE(name.toUtf8().size(), 255);
        EXPECT_GT(name.toUtf8().size(), 200);
        EXPECT_FALSE(name.contains(QChar(0xFFFD)));
        EXPECT_TRUE(kanji.startsWith(name.chopped(4)) || sushi.startsWith(name.chopped(4))) << name.toStdString();
    }
}

TEST_F(Export, TargetIsAFileForOneFileOrADayAndAFolderOtherwise) {
    struct Case {
        const char* format;
        int period, exportKind;
        const char* typed;
        const char* expected;  // "" when a folder was asked for
    };
    const Case cases[] = {
        {"TEXT", 1, 1, "/x/diary", "/x/diary.txt"},
        {"TEXT", 1, 1, "/x/rarav.html", "/x/rarav.html"},
        {"TEXT", 2, 1, "/x/a.HTM", "/x/a.HTM"},
        {"HTML", 1, 1, "/x/page", "/x/page.htm"},
        {"HTML", 3, 2, "/x/page.Txt", "/x/page.Txt"},
        {"Blog.htm", 1, 1, "/x/mine", "/x/mine"},
        {"TEXT", 1, 2, "/x/folder", ""},
    };
    for (const Case& c : cases) {
        ScopedPrompts prompts;
        clsExport e;
        e.eFormat = c.format;
        e.Period = c.period;
        e.Export = c.exportKind;
        if (*c.expected) prompts->expectSaveFile(c.typed);
        else prompts->expectFolder(QString(c.typed) + "/", "フォルダの選択");
        EXPECT_TRUE(e.GetFilePath());
        EXPECT_EQ(e.FileFullPath, *c.expected ? QString(c.expected) : QString(c.typed)) << c.typed;
    }
    ScopedPrompts prompts;
    prompts->expectSaveFile("");
    clsExport cancelled;
    EXPECT_FALSE(cancelled.GetFilePath());
}

// Titles come from the editor, the tagged clipboard import or another client
// writing the database: whatever they hold, each entry goes to one file
// directly inside the chosen folder, and entries whose names come out alike
// share that file.
TEST_F(Export, EveryTitleBecomesOneFileNameInsideTheChosenFolder) {
    addEntry("2006/05/02", 1, "line\nbreak", "lf");
    addEntry("2006/05/03", 1, "crlf\r\n", "crlf");
    addEntry("2006/05/04", 1, "back\\slash", "backslash");
    addEntry("2006/05/05", 1, "../../up", "up");
    addEntry("2006/05/06", 1, "..", "dots");
    addEntry("2006/05/07", 1, ".", "dot");
    addEntry("2006/05/08", 1, "tab\there\x1F", "controls");
    addEntry("2006/05/09", 1, "〜¥−\U0001F363", "kept");
    addEntry("2006/05/10", 1, "line_break", "alike");
    addEntry("2006/05/11", 1, "para\u2029line\u2028end", "separators");
    QDir().mkpath(t.path() + "out/sub");
    clsExport e = filePerEntryOfMay2006();
    e.FileNameFormat = 2;
    e.FileFullPath = t.path() + "out/sub";
    ASSERT_TRUE(e.Execute());
    QStringList expected = {"2006_05_06.txt", "2006_05_07.txt", ".._.._up.txt", "back_slash.txt", "crlf__.txt",
                            "first.txt", "last.txt", "line_break.txt", "para_line_end.txt", "second.txt",
                            "tab_here_.txt", "〜¥−\U0001F363.txt"};
    QStringList written = QDir(e.FileFullPath).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    written.sort();
    expected.sort();
    EXPECT_EQ(written, expected);
    EXPECT_EQ(QDir(t.path() + "out").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"sub"});
    EXPECT_EQ(QDir(t.path()).entryList({"up*"}, QDir::AllEntries | QDir::Hidden), QStringList());
    EXPECT_EQ(out("sub/line_break.txt"), "2006/05/02 line\r\nbreak [日記/晴]\r\nlf\r\n"
                                         "2006/05/10 line_break [日記/晴]\r\nalike\r\n");
    EXPECT_EQ(out("sub/〜¥−\U0001F363.txt"), "2006/05/09 〜¥−\U0001F363 [日記/晴]\r\nkept\r\n");

    // A day written by another client is made a name the same way.
    addEntry("2006/05/12\n", 1, "x", "day");
    QDir(e.FileFullPath).removeRecursively();
    QDir().mkpath(e.FileFullPath);
    e.FileNameFormat = 1;
    e.Period2 = "5";
    ASSERT_TRUE(e.Execute());
    EXPECT_TRUE(QFile::exists(e.FileFullPath + "/2006_05_12_.txt"));
}
