#include "platform/codepage.h"
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

// A page made as UTF-8 becomes the bytes its text would, whether converted
// on a thread of its own or inline: pieces handed over at every size, spans
// rewritten in their place, the front put in the room kept for it or, when
// longer, copied in front. Malformed text leaves no page.
TEST(PageWrite, Utf8PageBytesAreTheBytesOfItsText) {
    const QByteArray item = QByteArray("<p>散歩と😀と〜¥</p>\r\n<b>本文</b>\r");
    auto rewrite = [](QByteArrayView span, QByteArray& out) { out.append("[").append(span).append("]"); };
    QByteArray text;
    for (int i = 0; i < 4000; ++i) text += item + (i % 3 == 0 ? "[" + item + "]" : item) + "\r\n";
    for (const bool lengthy : {false, true}) {
        for (const QByteArray& front : {QByteArray("head\r\n"), QByteArray(5000, 'f')}) {
            Utf8PageBytes page(1024, lengthy, rewrite);
            for (int i = 0; i < 4000; ++i) {
                page.text().append(item);
                const qsizetype at = page.text().size();
                page.text().append(item);
                if (i % 3 == 0) page.rewriteSpan(at, page.text().size());
                page.text().append("\r\n");
                page.itemDone();
            }
            QByteArray bytes;
            ASSERT_TRUE(page.take(front, bytes));
            EXPECT_EQ(bytes, front + Codepage::fromUnicodeCrLf(QString::fromUtf8(text),
                                                               Codepage::Fallback::NumericReference))
                << lengthy << front.size();
        }
        Utf8PageBytes bad(16, lengthy);
        bad.text().append(text);
        bad.itemDone();
        bad.text().append("\xE6\x95\r\n");
        QByteArray bytes;
        EXPECT_FALSE(bad.take("head", bytes)) << lengthy;
    }
}
