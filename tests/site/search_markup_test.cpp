#include "site/search_markup.h"

#include <gtest/gtest.h>

#include <random>

// The byte search finds what QByteArrayView::indexOf finds, from every
// place, in texts of few letters (first and last bytes matching often) and
// of every length around the sixteen bytes compared at once.
TEST(SearchMarkup, ByteSearchFindsWhatIndexOfFinds) {
    std::mt19937 random(26);
    const QByteArray letters("ab\xE6\x95\xA3");
    auto text = [&](int length) {
        QByteArray t;
        for (int i = 0; i < length; ++i) t += letters[int(random() % letters.size())];
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        const QByteArray haystack = text(int(random() % 70));
        const QByteArray needle = round % 5 == 0 ? haystack.mid(int(random() % 40), 1 + int(random() % 20))
                                                 : text(1 + int(random() % 6));
        for (qsizetype from = 0; from <= haystack.size(); from += 1 + qsizetype(random() % 7))
            ASSERT_EQ(SearchMarkup::find(haystack, needle, from), QByteArrayView(haystack).indexOf(needle, from))
                << haystack.toHex().constData() << " " << needle.toHex().constData() << " " << from;
    }
    EXPECT_EQ(SearchMarkup::find(QByteArrayView(), QByteArrayView("a"), 0), -1);
}
