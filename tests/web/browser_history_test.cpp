#include "platform/files.h"
#include "tests/support/temp_folder.h"
#include "web/browser_history.h"

#include <gtest/gtest.h>

TEST(BrowserHistory, LoadsTheFirstEntriesOfALongFileInFileOrder) {
    TempFolder dir;
    QString text;
    for (int i = 1; i <= 50; ++i) text += QStringLiteral("語%1\n").arg(i);
    const QString path = dir.writeText(QStringLiteral("FindHist.txt"), text);

    const QStringList loaded = BrowserHistory::load(path);
    ASSERT_EQ(loaded.size(), 30);
    EXPECT_EQ(loaded.first(), QStringLiteral("語1"));
    EXPECT_EQ(loaded.last(), QStringLiteral("語30"));

    // Two new words are written after the thirty loaded ones, so the next
    // start again brings back only the first thirty.
    QStringList next = loaded;
    BrowserHistory::appendUnique(next, QStringLiteral("新1"));
    BrowserHistory::appendUnique(next, QStringLiteral("新2"));
    ASSERT_TRUE(BrowserHistory::save(path, next));
    EXPECT_EQ(Files::toLf(Files::readText(path)).count(QLatin1Char('\n')), 32);
    EXPECT_TRUE(Files::toLf(Files::readText(path)).endsWith(QStringLiteral("語30\n新1\n新2\n")));
    EXPECT_EQ(BrowserHistory::load(path), loaded);

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
