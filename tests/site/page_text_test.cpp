#include "platform/runtime_error.h"
#include "site/page_text.h"
#include "tests/support/full_disk.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

// A page that cannot be written says so and why; only a missing folder is
// reported as a path not found. The old page stays.
TEST(PageWrite, AFailedWriteSaysWhyAndKeepsTheOldPage) {
    TempFolder t;
    const QString page = t.write("site/〜¥−🍣.htm", "old page");
    const QString why = QString::fromLocal8Bit(strerror(EFBIG));
    EXPECT_TRUE(onFullDisk([&] {
        try {
            writePage(page, QStringLiteral("a new page longer than the disk allows"));
        } catch (const RuntimeError& e) {
            return e.number == ErrorNumber::PermissionDenied && e.description.contains("ページを書き込めませんでした。") &&
                   e.description.contains(page) && e.description.contains(why);
        }
        return false;
    }));
    EXPECT_EQ(t.read("site/〜¥−🍣.htm"), QByteArray("old page"));
    try {
        writePage(t.file("nowhere/x.htm"), QStringLiteral("x"));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::PathNotFound);
        EXPECT_TRUE(e.description.startsWith("パスが見つかりません。"));
    }
}
