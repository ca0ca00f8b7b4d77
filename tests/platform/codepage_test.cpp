#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>

namespace {

struct Case {
    const char* name;
    QString text;
    QByteArray cp932;   // what is written
    QString readBack;   // what reading those bytes gives
};

TEST(Codepage, TableOfCharactersJapaneseInputProduces) {
    const Case cases[] = {
        {"backslash stays a backslash", QStringLiteral("a\\b"), QByteArray("a\\b"), QStringLiteral("a\\b")},
        {"fullwidth tilde", QString(QChar(0xFF5E)), QByteArray("\x81\x60"), QString(QChar(0xFF5E))},
        {"wave dash is accepted", QString(QChar(0x301C)), QByteArray("\x81\x60"), QString(QChar(0xFF5E))},
        {"minus sign is accepted", QString(QChar(0x2212)), QByteArray("\x81\x7C"), QString(QChar(0xFF0D))},
        {"yen sign is accepted", QString(QChar(0x00A5)), QByteArray("\x5C"), QStringLiteral("\\")},
        {"NEC row 13 circled one", QStringLiteral("①"), QByteArray("\x87\x40"), QStringLiteral("①")},
        {"kanji and kana", QStringLiteral("日記ｱ"), QByteArray("\x93\xFA\x8B\x4C\xB1"), QStringLiteral("日記ｱ")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Codepage::fromUnicode(c.text), c.cp932) << c.name;
        EXPECT_EQ(Codepage::toUnicode(c.cp932), c.readBack) << c.name;
    }
}

TEST(Codepage, CharacterOutsideCp932FallsBackByKindOfFile) {
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    EXPECT_EQ(Codepage::fromUnicode(text), QByteArray("a?b"));
    EXPECT_EQ(Codepage::fromUnicode(text, Codepage::Fallback::NumericReference), QByteArray("a&#x1F600;b"));
}

TEST(Codepage, InvalidBytesAreMarkedNotDropped) {
    // A lead byte at the end of the text and an undefined double-byte code.
    EXPECT_EQ(Codepage::toUnicode(QByteArray("ab\x81")), QStringLiteral("ab") + QChar(0xFFFD));
    EXPECT_EQ(Codepage::toUnicode(QByteArray("\x85\x40x")).right(1), QStringLiteral("x"));
}

// Every character and every byte pair, converted whole, against iconv asked
// about each one alone: the conversions must be glibc's table exactly, with
// the same fallbacks, however they get there.
TEST(Codepage, WholeTextsConvertAsIconvDoesEachCharacter) {
    iconv_t encoder = iconv_open("CP932", "UTF-16LE");
    iconv_t decoder = iconv_open("UTF-16LE", "CP932");
    ASSERT_NE(encoder, iconv_t(-1));
    ASSERT_NE(decoder, iconv_t(-1));
    auto convert = [](iconv_t cd, const char* in, size_t inLeft, QByteArray& out) {
        char buffer[16];
        char* src = const_cast<char*>(in);
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t rc = iconv(cd, &src, &inLeft, &dst, &dstLeft);
        out = QByteArray(buffer, qsizetype(sizeof buffer - dstLeft));
        return rc != size_t(-1) && inLeft == 0;
    };

    QString everything;
    QByteArray expected;
    for (uint c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c)) continue;
        const char16_t unit = char16_t(c);
        everything += QChar(unit);
        QByteArray bytes;
        expected += convert(encoder, reinterpret_cast<const char*>(&unit), 2, bytes)
                        ? bytes
                        : "&#x" + QByteArray::number(c, 16).toUpper() + ";";
    }
    bool lossless = true;
    EXPECT_EQ(Codepage::fromUnicode(everything, Codepage::Fallback::NumericReference, &lossless), expected);
    EXPECT_FALSE(lossless);

    // Each pair between two spaces, which no lead byte takes as its second:
    // an invalid pair leaves its lead byte a U+FFFD and reads its second byte
    // on its own.
    QByteArray pairs;
    QString decoded;
    auto decodeOne = [&](const QByteArray& bytes) {
        QByteArray utf16;
        if (convert(decoder, bytes.constData(), size_t(bytes.size()), utf16))
            return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
        return QString();
    };
    for (uint lead = 0x80; lead <= 0xFF; ++lead) {
        for (uint trail = 0x00; trail <= 0xFF; ++trail) {
            QByteArray pair(1, char(lead));
            pair += char(trail);
            pairs += ' ' + pair;
            decoded += QLatin1Char(' ');
            const QString whole = decodeOne(pair);
            if (!whole.isEmpty()) {
                decoded += whole;
                continue;
            }
            const QString first = decodeOne(pair.left(1));
            const QString second = decodeOne(pair.mid(1));
            decoded += (first.isEmpty() ? QString(QChar(0xFFFD)) : first) +
                       (second.isEmpty() ? QString(QChar(0xFFFD)) : second);
        }
    }
    bool valid = true;
    EXPECT_EQ(Codepage::toUnicode(pairs, &valid), decoded);
    EXPECT_FALSE(valid);
    iconv_close(encoder);
    iconv_close(decoder);
}

}  // namespace
