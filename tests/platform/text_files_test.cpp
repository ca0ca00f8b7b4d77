// The encoding rule of every text file, the settings writer's quoting and
// one-line rewrites, and writes that fail for lack of room.
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/full_disk.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// Texts CP932 cannot hold, and texts it can (whose bytes must stay exactly
// what the old program wrote).
const QString kForeign[] = {QStringLiteral("/home/josé/"), QStringLiteral("müller"), QStringLiteral("寿司🍣"),
                            QStringLiteral("𠮷野家"), QStringLiteral("wave〜dash¥"), QStringLiteral("日記〜2024"),
                            QStringLiteral("¥1000"), QStringLiteral("−—‖¬¢£‾"), QChar(0xFEFF) + QStringLiteral("日記")};

TEST(TextFiles, Cp932WhereItHoldsTheTextUtf8WithAMarkWhereNot) {
    TempFolder t;
    ASSERT_TRUE(Files::writeText(t.file("a.csv"), QStringLiteral("一般\n旅行\n!x!\n")));
    EXPECT_EQ(t.read("a.csv"), QByteArray("\x88\xEA\x94\xCA\r\n\x97\xB7\x8D\x73\r\n!x!\r\n"));
    for (const QString& text : kForeign) {
        const QString lines = QStringLiteral("一般\n") + text + QLatin1Char('\n');
        ASSERT_TRUE(Files::writeText(t.file("b.csv"), lines));
        EXPECT_EQ(t.read("b.csv"), kBom + Files::toCrLf(lines).toUtf8()) << text.toStdString();
        EXPECT_EQ(Files::readText(t.file("b.csv")), Files::toCrLf(lines));
    }
    // Pages stay CP932, with references for what it cannot hold.
    ASSERT_TRUE(Files::writeText(t.file("p.htm"), QStringLiteral("é🍣"), true));
    EXPECT_EQ(t.read("p.htm"), QByteArray("&#xE9;&#x1F363;"));
}

TEST(TextFiles, SettingsValuesReadBackWhole) {
    TempFolder t;
    const QString ini = t.file("rarav.ini");
    const QString values[] = {QStringLiteral("/home/josé/Rarav/"), QStringLiteral("müller"), QStringLiteral("寿司🍣"),
                              QStringLiteral("𠮷"), QStringLiteral("!x!"), QStringLiteral("\"xq\""),
                              QStringLiteral("\""), QStringLiteral("\"\""), QStringLiteral("  spaced "),
                              QStringLiteral("a \"b\" c"), QStringLiteral("日本語")};
    for (const QString& v : values) {
        ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("Value"), v));
        EXPECT_EQ(Profile::readString(ini, QStringLiteral("ALL"), QStringLiteral("Value")), v) << v.toStdString();
    }
    // The last value fits CP932: the file went back to the old bytes.
    EXPECT_EQ(t.read("rarav.ini"), QByteArray("[ALL]\r\nValue=\x93\xFA\x96\x7B\x8C\xEA\r\n"));

    ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("DataPath"), QStringLiteral("/home/josé/")));
    EXPECT_EQ(t.read("rarav.ini"), kBom + QByteArray("[ALL]\r\nValue=日本語\r\nDataPath=/home/josé/\r\n"));
    ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("Pass"), QStringLiteral("\"xq\"")));
    EXPECT_EQ(t.read("rarav.ini"), kBom + QByteArray("[ALL]\r\nValue=日本語\r\nDataPath=/home/josé/\r\nPass=\"\"xq\"\"\r\n"));
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("all"), QStringLiteral("datapath")), QStringLiteral("/home/josé/"));
}

TEST(TextFiles, AWriteTouchesOneLineByteForByte) {
    TempFolder t;
    // Bytes that are not valid CP932, NEC-selected IBM rows, a lone CR, LF
    // only, and a last line without a break.
    const QByteArray before("; caf\xE9\r\n[A]\r\nName=caf\xE9\r\nKanji=\xED\x40\rKey=old\nOther=1");
    t.write("a.ini", before);
    ASSERT_TRUE(Profile::writeString(t.file("a.ini"), QStringLiteral("A"), QStringLiteral("Key"), QStringLiteral("new")));
    EXPECT_EQ(t.read("a.ini"), QByteArray("; caf\xE9\r\n[A]\r\nName=caf\xE9\r\nKanji=\xED\x40\rKey=new\nOther=1"));
    ASSERT_TRUE(Profile::writeString(t.file("a.ini"), QStringLiteral("A"), QStringLiteral("Added"), QStringLiteral("x")));
    EXPECT_EQ(t.read("a.ini"),
              QByteArray("; caf\xE9\r\n[A]\r\nName=caf\xE9\r\nKanji=\xED\x40\rKey=new\nOther=1\r\nAdded=x\r\n"));
    ASSERT_TRUE(Profile::deleteKey(t.file("a.ini"), QStringLiteral("A"), QStringLiteral("Key")));
    EXPECT_EQ(t.read("a.ini"), QByteArray("; caf\xE9\r\n[A]\r\nName=caf\xE9\r\nKanji=\xED\x40\rOther=1\r\nAdded=x\r\n"));

    // A value CP932 cannot hold turns the file to UTF-8: lines that were
    // valid CP932 keep their text, the others their bytes.
    ASSERT_TRUE(Profile::writeString(t.file("a.ini"), QStringLiteral("A"), QStringLiteral("Key"), QStringLiteral("🍣")));
    EXPECT_EQ(t.read("a.ini"),
              kBom + QByteArray("; caf\xE9\r\n[A]\r\nName=caf\xE9\r\nKanji=纊\rOther=1\r\nAdded=x\r\nKey=🍣\r\n"));
    EXPECT_EQ(Profile::readString(t.file("a.ini"), QStringLiteral("A"), QStringLiteral("Kanji")), QStringLiteral("纊"));
}

// Settings and text files that another editor saved as UTF-16 after a
// byte-order mark, in either byte order, read as their text; a write keeps
// the file UTF-16 and every other line as it was, a line cut short by a
// truncation included.
TEST(TextFiles, Utf16FilesReadAsTheirTextAndStayUtf16) {
    const auto utf16 = [](const QString& text, bool bigEndian) {
        QByteArray bytes;
        for (const QChar c : text) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
        }
        return bytes;
    };
    const QString text = QStringLiteral("; 日記\r\n[ALL]\r\nDataPath=/home/〜¥−🍣/\r\nName=taro\nLast=x");
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        TempFolder t;
        const QByteArray mark = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        const QString ini = t.write("rarav.ini", mark + utf16(text, bigEndian));
        EXPECT_EQ(Profile::readString(ini, QStringLiteral("all"), QStringLiteral("datapath")),
                  QStringLiteral("/home/〜¥−🍣/"));
        EXPECT_EQ(Profile::sectionNames(ini), QStringList{QStringLiteral("ALL")});
        EXPECT_EQ(Files::readText(ini), text);

        ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("Name"), QStringLiteral("花子")));
        ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("Added"), QStringLiteral("é")));
        ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v")));
        EXPECT_EQ(t.read("rarav.ini"),
                  mark + utf16(QStringLiteral("; 日記\r\n[ALL]\r\nDataPath=/home/〜¥−🍣/\r\nName=花子\nLast=x\r\n"
                                              "Added=é\r\n[New]\r\nk=v\r\n"),
                               bigEndian));
        EXPECT_EQ(Profile::readString(ini, QStringLiteral("ALL"), QStringLiteral("Name")), QStringLiteral("花子"));

        // The last byte of a character lost at the end of the file.
        const QByteArray cut = mark + utf16(QStringLiteral("[A]\r\nk=1\r\nj=日"), bigEndian).chopped(1);
        t.write("cut.ini", cut);
        ASSERT_TRUE(Profile::writeString(t.file("cut.ini"), QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
        const QByteArray kept = mark + utf16(QStringLiteral("[A]\r\nk=2\r\nj="), bigEndian) + cut.right(1);
        EXPECT_EQ(t.read("cut.ini"), kept);
        // A line after the odd byte would be read a byte out of step, as
        // nothing: such a write is refused and the file kept.
        EXPECT_FALSE(Profile::writeString(t.file("cut.ini"), QStringLiteral("A"), QStringLiteral("n"), QStringLiteral("1")));
        EXPECT_FALSE(Profile::writeString(t.file("cut.ini"), QStringLiteral("B"), QStringLiteral("n"), QStringLiteral("1")));
        EXPECT_EQ(t.read("cut.ini"), kept);
    }
}

// A window saves every value it shows, changed or not: a value whose bytes
// are not valid CP932 (or UTF-8 in a marked file), read and written back as
// it stands, keeps its bytes, so that nothing of it becomes U+FFFD on disk.
TEST(TextFiles, AValueWrittenBackAsReadKeepsBytesThatDecodeToNothing) {
    TempFolder t;
    const QByteArray files[] = {
        QByteArray("[ALL]\r\nDataPath=/home/caf\xE9/\r\nName=\x93\xFA\x96\r\n"),
        kBom + QByteArray("[ALL]\r\nDataPath=/home/caf\xE9/\r\nName=日記\xE6\x97\r\n"),
    };
    for (const QByteArray& before : files) {
        const QString ini = t.write("rarav.ini", before);
        for (const char* key : {"DataPath", "Name"}) {
            const QString value = Profile::readString(ini, QStringLiteral("ALL"), key);
            ASSERT_TRUE(value.contains(QChar(0xFFFD))) << key;
            ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), key, value)) << key;
        }
        EXPECT_EQ(t.read("rarav.ini"), before);
    }
}

TEST(TextFiles, ManySectionsAreListedOnceEach) {
    TempFolder t;
    QString text;
    for (int i = 0; i < 40000; ++i) text += QStringLiteral("[S%1]\nK=1\n").arg(i % 30000);
    text += QStringLiteral("[s7]\n[Ü]\n[ü]\n");
    const QString ini = t.file("x.ini");
    ASSERT_TRUE(Files::writeText(ini, text));
    const QStringList names = Profile::sectionNames(ini);
    ASSERT_EQ(names.size(), 30001);
    EXPECT_EQ(names.first(), QStringLiteral("S0"));
    EXPECT_EQ(names.last(), QStringLiteral("Ü"));
}

TEST(TextFiles, WritesThatFindNoRoomFailAndKeepTheOldFile) {
    TempFolder t;
    const QByteArray oldIni("[ALL]\r\nDataPath=/home/user/Rarav/\r\n");
    const QByteArray oldPage("<html>old</html>\r\n");
    const QByteArray source(4096, 'G');
    t.write("rarav.ini", oldIni);
    t.write("page.htm", oldPage);
    t.write("parts/a.gif", source);
    t.write("site/a.gif", "GIF");

    const QString ini = t.file("rarav.ini");
    EXPECT_FALSE(onFullDisk([&] {
        return Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("SaveFilePath"), QStringLiteral("/x/"));
    }));
    EXPECT_FALSE(onFullDisk([&] { return Files::writeText(t.file("page.htm"), QStringLiteral("<html>new</html>"), true); }));
    EXPECT_FALSE(onFullDisk([&] { return Files::copyFile(t.file("parts/a.gif"), t.file("site/a.gif")); }));
    EXPECT_FALSE(onFullDisk([&] { return Files::copyFile(t.file("parts/a.gif"), t.file("site/b.gif")); }));
    EXPECT_EQ(t.read("rarav.ini"), oldIni);
    EXPECT_EQ(t.read("page.htm"), oldPage);
    EXPECT_EQ(t.read("site/a.gif"), QByteArray("GIF"));
    EXPECT_FALSE(Files::exists(t.file("site/b.gif")));
    EXPECT_FALSE(Files::sameBytes(t.file("parts/a.gif"), t.file("site/a.gif")));

    // With room the same writes succeed: the failures above were the limit's.
    EXPECT_TRUE(onFullDisk([&] { return Files::copyFile(t.file("parts/a.gif"), t.file("site/a.gif")); }, 1 << 20));
    EXPECT_TRUE(Files::sameBytes(t.file("parts/a.gif"), t.file("site/a.gif")));
}

}  // namespace
