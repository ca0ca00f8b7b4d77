#include "platform/profile.h"
#include "platform/profile_cache.h"

#include "tests/support/temp_folder.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Values are read from the lines kept of a file, yet every way the file can
// change between two reads is seen: a rewrite by rename, a rewrite in place
// of the same size with the old modification time put back, a removal.
TEST(ProfileCache, EveryChangeOfTheFileIsSeen) {
    TempFolder t;
    const QString ini = t.writeText(QStringLiteral("a.ini"), QStringLiteral("[S]\nK=one\n"));
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("one"));

    t.writeText(QStringLiteral("a.ini"), QStringLiteral("[S]\nK=two\n"));
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("two"));

    ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("six")));
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("six"));

    const QDateTime modified = QFileInfo(ini).fileTime(QFileDevice::FileModificationTime);
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const QByteArray bytes = f.readAll().replace("six", "ten");
        f.seek(0);
        f.write(bytes);
        f.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("ten"));

    QFile::remove(ini);
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    EXPECT_EQ(Profile::readInt(ini, QStringLiteral("S"), QStringLiteral("K"), 7), 7);
}

// Within one operation a file is looked at once, yet what the program writes
// meanwhile is read back, a file it creates is found, and the next operation
// sees a change made by anyone.
TEST(ProfileCache, AnOperationSeesItsOwnWritesAndTheNextSeesAll) {
    TempFolder t;
    const QString ini = t.writeText(QStringLiteral("a.ini"), QStringLiteral("[S]\nK=one\n"));
    const QString later = t.file(QStringLiteral("later.ini"));
    {
        ProfileCache::Operation operation;
        EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("one"));
        EXPECT_EQ(Profile::readString(later, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("none")),
                  QStringLiteral("none"));
        ASSERT_TRUE(Profile::writeString(ini, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("two")));
        ASSERT_TRUE(Profile::writeString(later, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new")));
        EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("two"));
        EXPECT_EQ(Profile::readString(later, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("new"));
    }
    t.writeText(QStringLiteral("a.ini"), QStringLiteral("[S]\nK=three\n"));
    EXPECT_EQ(Profile::readString(ini, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("three"));
}

}  // namespace
