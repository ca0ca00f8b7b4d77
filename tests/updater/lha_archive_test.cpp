// Extraction of update archives: members land under the program folder, a
// replaced program keeps its permissions, and a damaged or hostile archive
// changes nothing.
#include "updater/lha_archive.h"

#include "platform/codepage.h"
#include "tests/support/temp_folder.h"
#include "tests/updater/lzh_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <gtest/gtest.h>

namespace {

// Every file and folder under a folder: bytes and permissions by relative path.
QMap<QString, QString> snapshot(const QString& folder) {
    QMap<QString, QString> all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        const QString key = QDir(folder).relativeFilePath(f.filePath());
        QFile file(f.filePath());
        all[key] = f.isDir() ? QStringLiteral("<folder>")
                             : QString::number(int(f.permissions()), 16) + QLatin1Char(' ') +
                                   QString::fromLatin1((file.open(QIODevice::ReadOnly) ? file.readAll() : "?").toHex());
    }
    return all;
}

TEST(LhaArchive, ExtractsMembersWithFoldersAndKeepsPermissionsOfReplacedFiles) {
    TempFolder t;
    t.write("Rarav", "old program");
    QFile::setPermissions(t.file("Rarav"), QFile::permissions(t.file("Rarav")) | QFile::ExeOwner);
    const QByteArray lzh = LzhFixture::archive({{"Rarav", "new program"},
                                                {"dist/colorname.csv", "red,#FF0000\r\n"},
                                                {"empty.txt", ""},
                                                {"docs/", "", "-lhd-"},
                                                {Codepage::fromUnicode("説明.txt"), "readme"},
                                                // 0x5C is the second byte of "表" and "ソ"
                                                {Codepage::fromUnicode("表.txt"), "table"},
                                                {Codepage::fromUnicode("dist\\ソフト\\表.txt"), "nested"}});
    t.write("patch.lzh", lzh);

    ASSERT_EQ(LhaArchive::extract(t.file("patch.lzh"), t.path()), LhaArchive::Extracted);
    EXPECT_EQ(t.read("Rarav"), "new program");
    EXPECT_TRUE(QFileInfo(t.file("Rarav")).isExecutable());
    EXPECT_EQ(t.read("dist/colorname.csv"), "red,#FF0000\r\n");
    EXPECT_TRUE(QFileInfo::exists(t.file("empty.txt")));
    EXPECT_EQ(t.read("説明.txt"), "readme");  // names from Windows archives are CP932
    EXPECT_EQ(t.read("表.txt"), "table");
    EXPECT_EQ(t.read("dist/ソフト/表.txt"), "nested");
    EXPECT_TRUE(QFileInfo(t.file("docs")).isDir());
    EXPECT_FALSE(QFileInfo::exists(t.file("Rarav.part")));
}

TEST(LhaArchive, RefusesBadArchivesWithoutWritingAnything) {
    QByteArray damaged = LzhFixture::archive({{"a.txt", "first"}, {"Rarav", "new program"}});
    damaged[damaged.size() - 3] = 'X';  // last member's data no longer matches its checksum
    struct Case {
        const char* name;
        QByteArray bytes;
        int expected;
    };
    const Case cases[] = {
        {"damaged", damaged, LhaArchive::BadData},
        {"absolute", LzhFixture::archive({{"/tmp/outside.txt", "x"}}), LhaArchive::UnsafeEntry},
        {"not an archive", "[Release]\r\nversion=1.7.0\r\n", LhaArchive::NotAnArchive},
        {"empty file", "", LhaArchive::NotAnArchive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        t.write("Rarav", "old program");
        t.write("patch.lzh", c.bytes);
        EXPECT_EQ(LhaArchive::extract(t.file("patch.lzh"), t.path()), c.expected);
        EXPECT_EQ(t.read("Rarav"), "old program");
        EXPECT_FALSE(QFileInfo::exists(t.file("a.txt")));
    }
    TempFolder t;
    EXPECT_EQ(LhaArchive::extract(t.file("missing.lzh"), t.path()), LhaArchive::CannotOpen);

    // A climbing name is brought back inside the folder, never written above it.
    t.write("prog/patch.lzh", LzhFixture::archive({{"../outside.txt", "x"}}));
    LhaArchive::extract(t.file("prog/patch.lzh"), t.file("prog/"));
    EXPECT_FALSE(QFileInfo::exists(t.file("outside.txt")));
}

// The library's decoders of the rarer methods are not trusted with an
// update: such an archive is refused on its headers, before any member (the
// stored one before it included) is decoded or written.
TEST(LhaArchive, RefusesMethodsUpdatesDoNotUseBeforeDecoding) {
    QByteArray stream(7250, '\0');
    for (int i = 0; i < stream.size(); ++i) stream[i] = char(0xFF - i % 7);
    for (const QByteArray method : {"-pm2-", "-lzs-", "-lh1-", "-xyz-"}) {
        SCOPED_TRACE(method.constData());
        TempFolder t;
        t.write("prog/Rarav", "old program");
        t.write("patch.lzh", LzhFixture::archive({{"a.txt", "first"}, {"Rarav", stream, method}}));
        EXPECT_EQ(LhaArchive::extract(t.file("patch.lzh"), t.file("prog")), LhaArchive::UnknownMethod);
        EXPECT_EQ(t.read("prog/Rarav"), "old program");
        EXPECT_EQ(QDir(t.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({"patch.lzh", "prog"}));
        EXPECT_EQ(QDir(t.file("prog")).entryList(QDir::Files), QStringList{"Rarav"});
    }
}

// A member that cannot be put in place after others were undoes them all:
// the program folder is as it was, and nothing is left beside it.
TEST(LhaArchive, FailedExtractionLeavesEveryFileAsItWas) {
    struct Case {
        const char* name;
        QList<LzhFixture::Member> members;
    };
    const Case cases[] = {
        {"a folder where the third member is a file",
         {{"Rarav", "new program"}, {"dist/colorname.csv", "new"}, {"Manual", "a file"}, {"newdir/new.txt", "x"}}},
        {"a file where the third member needs a folder",
         {{"Rarav", "new program"}, {"added/new.txt", "x"}, {"readme.txt/inner.txt", "x"}}},
        {"a file and then a folder of the same name",
         {{"Rarav", "new program"}, {"d", "file"}, {"d/x.txt", "x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        t.write("prog/Rarav", "old program");
        QFile::setPermissions(t.file("prog/Rarav"), QFile::permissions(t.file("prog/Rarav")) | QFile::ExeOwner);
        t.write("prog/dist/colorname.csv", "old");
        t.write("prog/Manual/index.htm", "manual");
        t.write("prog/readme.txt", "readme");
        t.write("patch.lzh", LzhFixture::archive(c.members));
        const QMap<QString, QString> before = snapshot(t.file("prog"));

        EXPECT_EQ(LhaArchive::extract(t.file("patch.lzh"), t.file("prog/")), LhaArchive::CannotWrite);
        EXPECT_EQ(snapshot(t.file("prog")), before);
        EXPECT_EQ(QDir(t.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({"patch.lzh", "prog"}));
    }
}

}  // namespace
