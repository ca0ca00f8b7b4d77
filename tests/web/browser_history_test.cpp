#include "tests/support/temp_folder.h"
#include "web/browser_history.h"

#include <gtest/gtest.h>

TEST(BrowserHistory, LoadsTheNewestEntriesOfALongFile) {
    TempFolder dir;
    QString text;
    for (int i = 1; i <= 50; ++i) text += QStringLiteral("語%1\n").arg(i);
    const QString path = dir.writeText(QStringLiteral("FindHist.txt"), text);

    const QStringList loaded = BrowserHistory::load(path);
    ASSERT_EQ(loaded.size(), 30);
    EXPECT_EQ(loaded.first(), QStringLiteral("語21"));
    EXPECT_EQ(loaded.last(), QStringLiteral("語50"));

    // Two new words written after the loaded ones come back next time.
    QStringList next = loaded;
    BrowserHistory::appendUnique(next, QStringLiteral("新1"));
    BrowserHistory::appendUnique(next, QStringLiteral("新2"));
    ASSERT_TRUE(BrowserHistory::save(path, next));
    EXPECT_EQ(BrowserHistory::load(path).mid(28), (QStringList{QStringLiteral("新1"), QStringLiteral("新2")}));

    EXPECT_TRUE(BrowserHistory::load(dir.file(QStringLiteral("missing.txt"))).isEmpty());
}

TEST(BrowserHistory, RoundTripsInCp932WithCrLfAndKeepsAFileForAnEmptyList) {
    TempFolder dir;
    const QString path = dir.file(QStringLiteral("URLHist.txt"));
    const QStringList entries{QStringLiteral("http://example.jp/～日記"), QStringLiteral("file:///tmp/tmp.htm#2024/05/01")};
    ASSERT_TRUE(BrowserHistory::save(path, entries));
    EXPECT_EQ(dir.read(QStringLiteral("URLHist.txt")),
              QByteArray("http://example.jp/\x81\x60\x93\xfa\x8b\x4c\r\nfile:///tmp/tmp.htm#2024/05/01\r\n"));
    EXPECT_EQ(BrowserHistory::load(path), entries);

    EXPECT_TRUE(BrowserHistory::save(path, {}));
    EXPECT_EQ(BrowserHistory::load(path), entries);
}

TEST(BrowserHistory, AppendsExactNewTextsOnly) {
    QStringList list;
    EXPECT_TRUE(BrowserHistory::appendUnique(list, QStringLiteral("ABC")));
    EXPECT_TRUE(BrowserHistory::appendUnique(list, QStringLiteral("abc")));
    EXPECT_FALSE(BrowserHistory::appendUnique(list, QStringLiteral("ABC")));
    EXPECT_FALSE(BrowserHistory::appendUnique(list, QString()));
    EXPECT_EQ(list, (QStringList{QStringLiteral("ABC"), QStringLiteral("abc")}));
}
