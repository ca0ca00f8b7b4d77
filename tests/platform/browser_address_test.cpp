#include "platform/browser_address.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

TEST(BrowserAddress, TargetsBecomeAddresses) {
    struct Case {
        const char* target;
        const char* url;
    };
    const Case cases[] = {
        {"", ""},
        {"   ", ""},
        {"http://example.jp/a?b=1#c", "http://example.jp/a?b=1#c"},
        {"Event:Close", "event:Close"},
        {"about:blank", "about:blank"},
        {"example.jp/page", "http://example.jp/page"},
        {"127.0.0.1:8080/x", "http://127.0.0.1:8080/x"},
        {"/no/such/tmp.htm#2024/05/01", "file:///no/such/tmp.htm#2024/05/01"},
        {"/no/such/tmp.htm", "file:///no/such/tmp.htm"},
        {"/no/such/日記.htm", "file:///no/such/日記.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BrowserAddress::fromTarget(QString::fromUtf8(c.target)).toString(), QString::fromUtf8(c.url))
            << c.target;
}

TEST(BrowserAddress, FileWhoseNameHoldsAHashKeepsItsName) {
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("C#/tmp.htm"), "x");
    const QUrl url = BrowserAddress::fromTarget(path + QStringLiteral("#2024/05/01"));
    EXPECT_EQ(url.toLocalFile(), path);
    EXPECT_EQ(url.fragment(), QStringLiteral("2024/05/01"));
    EXPECT_EQ(BrowserAddress::fromTarget(path).fragment(), QString());
}
