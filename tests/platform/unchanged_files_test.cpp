#include "platform/files.h"
#include "platform/unchanged_files.h"

#include "tests/support/file_changes.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A pair found equal and remembered is compared again after any change to
// either file, however the change was made and however soon after.
TEST(UnchangedFiles, AnyChangeToEitherFileIsSeen) {
    struct Case {
        const char* what;
        std::function<void(const QString& source, const QString& copy)> change;
        bool same;
    };
    const Case cases[] = {
        {"source rewritten in place, same size and date",
         [](const QString& source, const QString&) { ASSERT_TRUE(overwriteKeepingDate(source, "GIF89b")); },
         false},
        {"copy rewritten in place, same size and date",
         [](const QString&, const QString& copy) { ASSERT_TRUE(overwriteKeepingDate(copy, "GIF89b")); }, false},
        {"copy replaced through a rename",
         [](const QString&, const QString& copy) { ASSERT_TRUE(Files::writeAtomic(copy, "GIF87a")); },
         false},
        {"copy removed", [](const QString&, const QString& copy) { QFile::remove(copy); }, false},
        {"copy made again with the same bytes",
         [](const QString& source, const QString& copy) { ASSERT_TRUE(Files::copyFile(source, copy)); },
         true},
    };
    for (const Case& c : cases) {
        TempFolder t;
        const QString source = t.write(QStringLiteral("RaravParts/晴れ〜¥−🍣.gif"), "GIF89a");
        const QString copy = t.write(QStringLiteral("RaravLog/RaravParts/晴れ〜¥−🍣.gif"), "GIF89a");
        // Right after the files were written, and again once the clock has
        // moved on, when the pair is remembered.
        EXPECT_TRUE(UnchangedFiles::sameBytes(source, copy)) << c.what;
        ASSERT_TRUE(waitForTheClockPast(copy));
        EXPECT_TRUE(UnchangedFiles::sameBytes(source, copy)) << c.what;
        EXPECT_TRUE(UnchangedFiles::sameBytes(source, copy)) << c.what;
        c.change(source, copy);
        EXPECT_EQ(UnchangedFiles::sameBytes(source, copy), c.same) << c.what;
        EXPECT_EQ(UnchangedFiles::sameBytes(source, copy), Files::sameBytes(source, copy)) << c.what;
    }
}

// A change within the same tick of the clock as the comparison that found
// the pair equal is seen as well: such a pair is not remembered.
TEST(UnchangedFiles, AChangeInTheSameTickIsSeen) {
    TempFolder t;
    const QString source = t.write(QStringLiteral("a.gif"), "GIF89a");
    const QString copy = t.write(QStringLiteral("b.gif"), "GIF89a");
    for (int round = 0; round < 20; ++round) {
        const QByteArray bytes = round % 2 ? "GIF89a" : "GIF89b";
        EXPECT_EQ(UnchangedFiles::sameBytes(source, copy), round % 2 == 0) << round;
        ASSERT_TRUE(overwriteKeepingDate(copy, bytes));
    }
}

}  // namespace
