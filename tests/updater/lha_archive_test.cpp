// Extraction of update archives: members land under the program folder, a
// replaced program keeps its permissions, and a damaged or hostile archive
// changes nothing.
#include "updater/lha_archive.h"

#include "platform/codepage.h"
#include "tests/support/temp_folder.h"
#include "tests/updater/lzh_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(LhaArchive, ExtractsMembersWithFoldersAndKeepsPermissionsOfReplacedFiles) {
    TempFolder t;
    t.write("Rarav", "old program");
    QFile::setPermissions(t.file("Rarav"), QFile::permissions(t.file("Rarav")) | QFile::ExeOwner);
    const QByteArray lzh = LzhFixture::archive({{"Rarav", "new program"},
                                                {"dist/colorname.csv", "red,#FF0000\r\n"},
                                                {"empty.txt", ""},
                                                {Codepage::fromUnicode("説明.txt"), "readme"}});
    t.write("patch.lzh", lzh);

    ASSERT_EQ(LhaArchive::extract(t.file("patch.lzh"), t.path()), LhaArchive::Extracted);
    EXPECT_EQ(t.read("Rarav"), "new program");
    EXPECT_TRUE(QFileInfo(t.file("Rarav")).isExecutable());
    EXPECT_EQ(t.read("dist/colorname.csv"), "red,#FF0000\r\n");
    EXPECT_TRUE(QFileInfo::exists(t.file("empty.txt")));
    EXPECT_EQ(t.read("説明.txt"), "readme");  // names from Windows archives are CP932
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

}  // namespace
