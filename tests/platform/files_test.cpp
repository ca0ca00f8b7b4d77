#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/dates.h"
#include "platform/files.h"

#include "tests/support/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(Files, ListingIgnoresCaseAndSortsByName) {
    TempFolder t;
    for (const char* name : {"b.BLG", "a.blg", "C.Blg", "d.txt", "blg"}) t.write(name, "x");
    EXPECT_EQ(Files::listFiles(t.path(), "*.blg"), (QStringList{"a.blg", "b.BLG", "C.Blg"}));
}

TEST(Files, TextIsCp932WithCrLf) {
    TempFolder t;
    ASSERT_TRUE(Files::writeText(t.file("a.txt"), QStringLiteral("一\n二\r\n三\r")));
    EXPECT_EQ(t.read("a.txt"), QByteArray("\x88\xEA\r\n\x93\xF1\r\n\x8E\x4F\r\n"));
    EXPECT_EQ(Files::readText(t.file("a.txt")), QStringLiteral("一\r\n二\r\n三\r\n"));
}

TEST(Files, EveryKindOfLineEndBecomesOneCrLf) {
    const struct {
        QString text, crLf;
    } cases[] = {
        {QStringLiteral("a\r\nb\rc\nd"), QStringLiteral("a\r\nb\r\nc\r\nd")},
        {QStringLiteral("\n\r"), QStringLiteral("\r\n\r\n")},
        {QStringLiteral("\r\r\n\n"), QStringLiteral("\r\n\r\n\r\n")},
        {QStringLiteral("日記\r"), QStringLiteral("日記\r\n")},
        {QString(), QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Files::toCrLf(c.text), c.crLf) << c.text.toStdString();
        EXPECT_EQ(Codepage::fromUnicodeCrLf(c.text, Codepage::Fallback::NumericReference),
                  Codepage::fromUnicode(c.crLf)) << c.text.toStdString();
    }
}

TEST(Files, FailedAtomicWriteLeavesTheOldFile) {
    TempFolder t;
    t.write("keep.txt", "old");
    EXPECT_FALSE(Files::writeAtomic(t.file("no/such/folder/x.txt"), "new"));
    EXPECT_TRUE(Files::writeAtomic(t.file("keep.txt"), "new"));
    EXPECT_EQ(t.read("keep.txt"), QByteArray("new"));
}

// A page written without a sync is still written whole through a rename:
// the old file's permissions carry over, nothing is left beside it, and a
// write that cannot be made leaves the old file.
TEST(Files, UnsyncedWriteIsStillAtomic) {
    TempFolder t;
    const QString page = t.write("page.htm", "old");
    QFile::setPermissions(page, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    ASSERT_TRUE(Files::writeAtomic(page, "new", Files::Sync::None));
    EXPECT_EQ(t.read("page.htm"), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(page), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                            QFileDevice::WriteUser | QFileDevice::ReadOther);
    EXPECT_EQ(Files::listFiles(t.path(), "*"), QStringList{"page.htm"});
    EXPECT_FALSE(Files::writeAtomic(t.file("missing/page.htm"), "x", Files::Sync::None));
    EXPECT_TRUE(Files::writeText(page, QStringLiteral("一\n"), true, Files::Sync::None));
    EXPECT_EQ(t.read("page.htm"), QByteArray("\x88\xea\r\n"));
}

// Both kinds of write go through a symbolic link to its target, also one
// that does not exist yet, and leave the link in place.
TEST(Files, WritesGoThroughASymbolicLink) {
    TempFolder t;
    QDir().mkpath(t.file("site"));
    QDir().mkpath(t.file("elsewhere ¥"));
    t.write("elsewhere ¥/index.htm", "old");
    ASSERT_TRUE(QFile::link("../elsewhere ¥/index.htm", t.file("site/index.htm")));
    ASSERT_TRUE(QFile::link("../elsewhere ¥/new.htm", t.file("site/new.htm")));
    for (const Files::Sync sync : {Files::Sync::None, Files::Sync::ToDisk}) {
        const QByteArray bytes = sync == Files::Sync::None ? "unsynced" : "synced";
        ASSERT_TRUE(Files::writeAtomic(t.file("site/index.htm"), bytes, sync));
        ASSERT_TRUE(Files::writeAtomic(t.file("site/new.htm"), bytes, sync));
        for (const char* name : {"index.htm", "new.htm"}) {
            EXPECT_TRUE(QFileInfo(t.file(QStringLiteral("site/") + name)).isSymLink()) << name;
            EXPECT_EQ(t.read(QStringLiteral("elsewhere ¥/") + name), bytes) << name;
        }
        EXPECT_EQ(QDir(t.file("elsewhere ¥")).entryList(QDir::Files), (QStringList{"index.htm", "new.htm"}));
        QFile::remove(t.file("elsewhere ¥/new.htm"));
    }
}

// A copy is the source's bytes and date under the target's name and
// permissions, through a symbolic link, with nothing left beside it; a
// source that cannot be read leaves the target as it was.
TEST(Files, CopyIsWholeAndKeepsTheTargetOnFailure) {
    TempFolder t;
    QDir().mkpath(t.file("〜¥−🍣"));
    QByteArray bytes(3 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7919 >> 3);
    const QString source = t.write("〜¥−🍣/rarav.mdb", bytes);
    const QDateTime date(QDate(2004, 1, 5), QTime(8, 0, 0));
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(date, QFileDevice::FileModificationTime));
    }
    const QString target = t.file("〜¥−🍣/diarymdb.bak");
    ASSERT_TRUE(QFile::link("〜¥−🍣/diarymdb.bak", t.file("link.bak")));
    for (const Files::Sync sync : {Files::Sync::ToDisk, Files::Sync::None}) {
        t.write("〜¥−🍣/diarymdb.bak", "old");
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ASSERT_TRUE(Files::copyFile(source, t.file("link.bak"), sync));
        EXPECT_TRUE(QFileInfo(t.file("link.bak")).isSymLink());
        EXPECT_EQ(t.read("〜¥−🍣/diarymdb.bak"), bytes);
        EXPECT_EQ(QFileInfo(target).lastModified(), date);
        EXPECT_EQ(QFile::permissions(target),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
        EXPECT_EQ(QDir(t.file("〜¥−🍣")).entryList(QDir::Files), (QStringList{"diarymdb.bak", "rarav.mdb"}));
    }
    for (const QString& unreadable : {t.file("missing.mdb"), t.file("〜¥−🍣")}) {
        EXPECT_FALSE(Files::copyFile(unreadable, target));
        EXPECT_EQ(t.read("〜¥−🍣/diarymdb.bak"), bytes);
    }
}

// A handed-on file is rewritten in place, shorter or longer, and made where
// missing; through a symbolic link it replaces the target as other writes
// do, and a file with a second name is replaced, so the other name keeps
// what it held.
TEST(Files, OverwriteReusesAPlainFileAndNeverWritesThroughAnotherName) {
    TempFolder t;
    QDir().mkpath(t.file("〜¥−🍣"));
    const QString list = t.write("〜¥−🍣/uplogtmp.tmp", "a long first list\r\n");
    const auto inodeOf = [](const QString& path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t inode = inodeOf(list);
    for (const QByteArray& bytes : {QByteArray("short\r\n"), QByteArray(70000, 'x'), QByteArray()}) {
        ASSERT_TRUE(Files::overwrite(list, bytes));
        EXPECT_EQ(t.read("〜¥−🍣/uplogtmp.tmp"), bytes);
        EXPECT_EQ(inodeOf(list), inode);
    }
    ASSERT_TRUE(Files::overwrite(t.file("〜¥−🍣/new.tmp"), "made"));
    EXPECT_EQ(t.read("〜¥−🍣/new.tmp"), QByteArray("made"));

    t.write("target.tmp", "old");
    ASSERT_TRUE(QFile::link("../target.tmp", t.file("〜¥−🍣/link.tmp")));
    ASSERT_TRUE(Files::overwrite(t.file("〜¥−🍣/link.tmp"), "through"));
    EXPECT_TRUE(QFileInfo(t.file("〜¥−🍣/link.tmp")).isSymLink());
    EXPECT_EQ(t.read("target.tmp"), QByteArray("through"));

    t.write("shared.tmp", "kept");
    ASSERT_EQ(::link(QFile::encodeName(t.file("shared.tmp")).constData(),
                     QFile::encodeName(t.file("〜¥−🍣/second.tmp")).constData()), 0);
    ASSERT_TRUE(Files::overwrite(t.file("〜¥−🍣/second.tmp"), "new"));
    EXPECT_EQ(t.read("〜¥−🍣/second.tmp"), QByteArray("new"));
    EXPECT_EQ(t.read("shared.tmp"), QByteArray("kept"));
    EXPECT_FALSE(Files::overwrite(t.file("missing/list.tmp"), "x"));
}

// Appending needs the file to be there: a missing one is refused and not
// made, whatever the path holds.
TEST(Files, AppendingAddsToTheFileAtAnyPathAndMakesNone) {
    TempFolder t;
    QDir().mkpath(t.file("café🍣"));
    const QString list = t.write("café🍣/list.tmp", "a\r\n");
    EXPECT_TRUE(Files::appendSynced(list, "b\r\n"));
    EXPECT_EQ(t.read("café🍣/list.tmp"), QByteArray("a\r\nb\r\n"));
    EXPECT_FALSE(Files::appendSynced(t.file("café🍣/../café🍣/missing.tmp"), "c"));
    EXPECT_EQ(Files::listFiles(t.file("café🍣"), "*"), QStringList{"list.tmp"});
}

TEST(Dates, LenientDayParser) {
    struct Case {
        const char* text;
        QDate expected;
    };
    const Case cases[] = {
        {"2004/1/5", QDate(2004, 1, 5)},  {"2004-01-05", QDate(2004, 1, 5)}, {" 2024/12/31 ", QDate(2024, 12, 31)},
        {"2024/2/30", QDate()},           {"2024/1-5", QDate()},             {"05/01/2004", QDate()},
        {"", QDate()},
    };
    for (const Case& c : cases) {
        const auto parsed = Dates::parseDay(c.text);
        EXPECT_EQ(parsed.value_or(QDate()), c.expected) << c.text;
    }
    EXPECT_EQ(Dates::dayText(QDate(2004, 1, 5)), QStringLiteral("2004/01/05"));
}

TEST(Clock, CanBeFixedForTests) {
    Clock::set(QDateTime(QDate(2005, 3, 9), QTime(8, 0)));
    EXPECT_EQ(Clock::todayText(), QStringLiteral("2005/03/09"));
    Clock::reset();
    EXPECT_EQ(Clock::today(), QDate::currentDate());
}

}  // namespace
