#include "platform/codepage.h"
#include "platform/database.h"
#include "tests/support/temp_folder.h"
#include "writing/genre_list.h"

#include <gtest/gtest.h>

namespace {

QByteArray cp932(const QString& text) { return Codepage::fromUnicode(text); }

TEST(GenreList, RebuildWritesGeneralFirstThenTheOthersInSortOrder) {
    TempFolder tmp;
    const QString db = makeDatabase(tmp.file(QStringLiteral("rarav.mdb")));
    {
        Database d(db);
        for (const QVariant& g : {QVariant(QStringLiteral("食事")), QVariant(QStringLiteral("一般")),
                                  QVariant(QStringLiteral("旅行")), QVariant(), QVariant(QStringLiteral("旅行"))})
            d.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Genre) VALUES ('2006/05/03', 1, ?)"), {g});
    }
    const QString csv = tmp.file(QStringLiteral("Genre.csv"));
    const QStringList lines = GenreList::rebuild(csv, db);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("一般"), QStringLiteral("旅行"), QStringLiteral("食事")}));
    EXPECT_EQ(tmp.read(QStringLiteral("Genre.csv")), cp932(QStringLiteral("一般\r\n旅行\r\n食事\r\n")));
    EXPECT_EQ(GenreList::read(csv), lines);
}

TEST(GenreList, AppendComparesExactly) {
    TempFolder tmp;
    const QString csv = tmp.file(QStringLiteral("Genre.csv"));
    // A missing file is created with the genre alone.
    EXPECT_TRUE(GenreList::append(csv, QStringLiteral("Travel")));
    EXPECT_FALSE(GenreList::append(csv, QStringLiteral("Travel")));
    EXPECT_TRUE(GenreList::append(csv, QStringLiteral("travel")));
    EXPECT_TRUE(GenreList::append(csv, QStringLiteral("旅行")));
    EXPECT_FALSE(GenreList::append(csv, QStringLiteral("旅行")));
    EXPECT_EQ(tmp.read(QStringLiteral("Genre.csv")), cp932(QStringLiteral("Travel\r\ntravel\r\n旅行\r\n")));
}

// A genre CP932 cannot hold turns the list to UTF-8 with its mark, and saving
// it again finds the line it wrote.
TEST(GenreList, GenresOutsideCp932AreKeptWhole) {
    TempFolder tmp;
    const QString csv = tmp.file(QStringLiteral("Genre.csv"));
    EXPECT_TRUE(GenreList::append(csv, QStringLiteral("一般")));
    for (const QString& g : {QStringLiteral("寿司🍣"), QStringLiteral("𠮷"), QStringLiteral("café"), QStringLiteral("!x!")})
        for (int save = 0; save < 3; ++save) EXPECT_EQ(GenreList::append(csv, g), save == 0) << g.toStdString();
    EXPECT_EQ(tmp.read(QStringLiteral("Genre.csv")), QByteArray("\xEF\xBB\xBF") + QStringLiteral("一般\r\n寿司🍣\r\n𠮷\r\ncafé\r\n!x!\r\n").toUtf8());
    EXPECT_EQ(GenreList::read(csv), (QStringList{QStringLiteral("一般"), QStringLiteral("寿司🍣"), QStringLiteral("𠮷"),
                                                 QStringLiteral("café"), QStringLiteral("!x!")}));
}

// A genre with a line break (written by another program, or handed over
// unchecked) cannot be one line of the list: it is left out rather than
// split into genres that no entry has.
TEST(GenreList, AGenreWithALineBreakNeverSplitsALine) {
    TempFolder tmp;
    const QString db = makeDatabase(tmp.file(QStringLiteral("rarav.mdb")));
    {
        Database d(db);
        for (const char* g : {"旅行\r\n食事", "a\nb", "c\rd", "旅行"})
            d.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Genre) VALUES ('2006/05/03', 1, ?)"),
                   {QString::fromUtf8(g)});
    }
    const QString csv = tmp.file(QStringLiteral("Genre.csv"));
    EXPECT_EQ(GenreList::rebuild(csv, db), (QStringList{QStringLiteral("一般"), QStringLiteral("旅行")}));
    for (const char* g : {"旅行\r\n食事", "a\nb", "c\rd", "e\r\n"})
        EXPECT_FALSE(GenreList::append(csv, QString::fromUtf8(g))) << g;
    EXPECT_EQ(tmp.read(QStringLiteral("Genre.csv")), cp932(QStringLiteral("一般\r\n旅行\r\n")));
}

// A plug-in that hands a genre to SQLite as bytes stores it as a blob: the
// list still holds each genre once, and "一般" only first.
TEST(GenreList, AGenreStoredAsBytesIsListedOnce) {
    TempFolder tmp;
    const QString db = makeDatabase(tmp.file(QStringLiteral("rarav.mdb")));
    Database(db).exec(QStringLiteral(
        "INSERT INTO Contents (Day, Number, Genre) VALUES ('2006/05/03', 1, CAST('旅行' AS BLOB)), "
        "('2006/05/03', 2, '旅行'), ('2006/05/04', 1, CAST('一般' AS BLOB)), ('2006/05/05', 1, CAST('Food' AS BLOB))"));
    EXPECT_EQ(GenreList::rebuild(tmp.file(QStringLiteral("Genre.csv")), db),
              (QStringList{QStringLiteral("一般"), QStringLiteral("Food"), QStringLiteral("旅行")}));
}

TEST(GenreList, ReadKeepsEmptyLinesAndDoubles) {
    TempFolder tmp;
    const QString csv = tmp.writeText(QStringLiteral("Genre.csv"), QStringLiteral("一般\r\n\r\nA\r\nA\r\n"));
    EXPECT_EQ(GenreList::read(csv), (QStringList{QStringLiteral("一般"), QString(), QStringLiteral("A"), QStringLiteral("A")}));
    EXPECT_TRUE(GenreList::read(tmp.file(QStringLiteral("none.csv"))).isEmpty());
}

TEST(GenreList, FailedRebuildLeavesTheOldFile) {
    TempFolder tmp;
    const QString csv = tmp.writeText(QStringLiteral("Genre.csv"), QStringLiteral("一般\r\nold\r\n"));
    EXPECT_THROW(GenreList::rebuild(csv, tmp.file(QStringLiteral("none.mdb"))), RuntimeError);
    EXPECT_EQ(GenreList::read(csv), (QStringList{QStringLiteral("一般"), QStringLiteral("old")}));
}

}  // namespace
