#include "web/search_sites.h"
#include "web/url_encode.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* sjis;
    const char* euc;
    const char* utf8;
};

// Known byte sequences of the three character sets.
const Case kCases[] = {
    {"", "", "", ""},
    {"東京", "%93%8C%8B%9E", "%C5%EC%B5%FE", "%E6%9D%B1%E4%BA%AC"},
    {"ｱ", "%B1", "%8E%B1", "%EF%BD%B1"},
    {"\u3000", "%81%40", "%A1%A1", "%E3%80%80"},
    // The trail byte is escaped even when it is a letter (0x4C, 0x65).
    {"日記 テスト", "%93%FA%8B%4C+%83%65%83%58%83%67", "%C6%FC%B5%AD+%A5%C6%A5%B9%A5%C8",
     "%E6%97%A5%E8%A8%98+%E3%83%86%E3%82%B9%E3%83%88"},
    {"a@b*c-d.e_f", "a@b*c-d.e_f", "a@b*c-d.e_f", "a@b*c-d.e_f"},
    {"~+&#/\t", "%7E%2B%26%23%2F%09", "%7E%2B%26%23%2F%09", "%7E%2B%26%23%2F%09"},
    // The wave dash of input methods and the NEC row; Latin-1 in two bytes.
    {"～①", "%81%60%87%40", "%A1%C1%AD%A1", "%EF%BD%9E%E2%91%A0"},
    {"é", "%3F", "%3F", "%C3%A9"},
    // Outside the Basic Multilingual Plane: one four-byte sequence; CP932
    // has no such character.
    {"😀x", "%3Fx", "%3Fx", "%F0%9F%98%80x"},
};

}  // namespace

TEST(UrlEncode, ThreeCharacterSets) {
    for (const Case& c : kCases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ModURLEncode::URLEncode(text), QLatin1String(c.sjis)) << c.text;
        EXPECT_EQ(ModURLEncodeEUC::URLEncodeEUC(text), QLatin1String(c.euc)) << c.text;
        EXPECT_EQ(ModURLEncodeUTF8::URLEncodeUTF8(text), QLatin1String(c.utf8)) << c.text;
    }
}

TEST(UrlEncode, UserDefinedRowsHaveNoEucFormAndAreEscapedBytewise) {
    // U+E000 is CP932 0xF0 0x40, the first character of the user-defined
    // rows: no lead byte of either rule, so its trail "@" stays as it is.
    const QString text(QChar(0xE000));
    EXPECT_EQ(ModURLEncode::URLEncode(text), QLatin1String("%F0@"));
    EXPECT_EQ(ModURLEncodeEUC::URLEncodeEUC(text), QLatin1String("%F0@"));
}

TEST(UrlEncode, LoneSurrogateStaysThreeBytes) {
    EXPECT_EQ(ModURLEncodeUTF8::URLEncodeUTF8(QString(QChar(0xD83D))), QLatin1String("%ED%A0%BD"));
}

TEST(SearchSites, SpaceReachesEachSiteAsItsEncodingWants) {
    SearchSites::Hosts hosts;
    for (int i = 0; i < SearchSites::kCount; ++i) hosts.host[size_t(i)] = QStringLiteral("http://h%1").arg(i);
    hosts.shopSegment = QStringLiteral("111-2222222-3333333");
    hosts.shopAffiliate = QStringLiteral("aff-22");
    const QString word = QStringLiteral("a b");
    const char* const expected[] = {
        "http://h0/search?num=50&hl=ja&ie=Shift_JIS&oe=Shift_JIS&q=a%2Bb",
        "http://h1/search?num=50&hl=ja&q=a+b",
        "http://h2/bin/search?p=a%2Bb",
        "http://h3/Titles?sv=JP&lk=noframes&rt=JG&svx=500&qt=a+b",
        "http://h4/web.jsp?MT=a%2Bb&IE=euc",
        "http://h5/search.php?MT=a b&kind=ej",
        "http://h6/search.php?MT=a+b&kind=je",
        "http://h7/search.php?MT=a+b&kind=jn",
        "http://h8/exec/obidos/external-search/111-2222222-3333333?mode=blended&tag=aff-22&field-keywords=a+b",
    };
    for (int i = 0; i < SearchSites::kCount; ++i)
        EXPECT_EQ(SearchSites::queryAddress(i, word, hosts), QLatin1String(expected[i])) << i;

    // An empty word gives the bare address, with the suffix where one follows.
    EXPECT_EQ(SearchSites::queryAddress(4, QString(), hosts), QLatin1String("http://h4/web.jsp?MT=&IE=euc"));
    EXPECT_EQ(SearchSites::queryAddress(0, QString(), hosts),
              QLatin1String("http://h0/search?num=50&hl=ja&ie=Shift_JIS&oe=Shift_JIS&q="));
    // Unescaped sites take Japanese and "&" as typed.
    EXPECT_EQ(SearchSites::queryAddress(1, QStringLiteral("東京&x"), hosts),
              QStringLiteral("http://h1/search?num=50&hl=ja&q=東京&x"));
    // No site selected: no address.
    EXPECT_TRUE(SearchSites::queryAddress(-1, word, hosts).isEmpty());
    EXPECT_TRUE(SearchSites::queryAddress(9, word, hosts).isEmpty());
    EXPECT_EQ(SearchSites::labels().size(), SearchSites::kCount);
    EXPECT_EQ(SearchSites::labels().first(), QStringLiteral("Google(日本語)"));
}
