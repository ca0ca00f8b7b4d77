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
        {"fullwidth minus", QString(QChar(0xFF0D)), QByteArray("\x81\x7C"), QString(QChar(0xFF0D))},
        {"NEC row 13 circled one", QStringLiteral("①"), QByteArray("\x87\x40"), QStringLiteral("①")},
        {"kanji and kana", QStringLiteral("日記ｱ"), QByteArray("\x93\xFA\x8B\x4C\xB1"), QStringLiteral("日記ｱ")},
    };
    for (const Case& c : cases) {
        bool lossless = false;
        EXPECT_EQ(Codepage::fromUnicode(c.text, Codepage::Fallback::Question, &lossless), c.cp932) << c.name;
        EXPECT_TRUE(lossless) << c.name;
        EXPECT_EQ(Codepage::toUnicode(c.cp932), c.readBack) << c.name;
    }
}

// glibc writes these as bytes that read back as other characters; they count
// as characters CP932 lacks. An address still gets the nearest bytes.
TEST(Codepage, CharactersThatReadBackAsOthersAreNotHeld) {
    struct OneWay {
        char16_t ch;
        const char* bytes;
    };
    const OneWay cases[] = {
        {0x301C, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0x00A5, "\x5C"}, {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"},
        {0x00AC, "\x81\xCA"}, {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x203E, "\x7E"},
    };
    for (const OneWay& c : cases) {
        const QString text = QStringLiteral("a") + QChar(c.ch);
        const QString hex = QString::number(uint(c.ch), 16).toUpper();
        bool lossless = true;
        EXPECT_EQ(Codepage::fromUnicode(text, Codepage::Fallback::Question, &lossless), QByteArray("a") + c.bytes) << hex.toStdString();
        EXPECT_FALSE(lossless) << hex.toStdString();
        EXPECT_EQ(Codepage::fromUnicode(text, Codepage::Fallback::NumericReference), "a&#x" + hex.toLatin1() + ";");
        EXPECT_EQ(Codepage::encodeFile(text), QByteArray(Codepage::kByteOrderMark) + text.toUtf8()) << hex.toStdString();
        EXPECT_FALSE(Codepage::holdsExactly(text)) << hex.toStdString();
        EXPECT_EQ(Codepage::charactersNotHeld(text + text), QString(QChar(c.ch))) << hex.toStdString();
    }
}

TEST(Codepage, LeadingMarkIsPartOfTheText) {
    const QString text = QChar(0xFEFF) + QStringLiteral("日記");
    EXPECT_EQ(Codepage::decodeFile(Codepage::encodeFile(text)), text);
    EXPECT_EQ(Codepage::utf8Text(text.toUtf8()), text);
    EXPECT_EQ(Codepage::utf8Text(QByteArray("abc")), QStringLiteral("abc"));
    EXPECT_EQ(Codepage::charactersNotHeld(text + QStringLiteral("🍣a")), QChar(0xFEFF) + QStringLiteral("🍣"));
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

// No character is written as bytes that read back as another: a file keeps
// each one, and a page holds it or a reference to it.
TEST(Codepage, EveryBmpCharacterComesBackOrIsWrittenAnotherWay) {
    QString failures;
    for (uint c = 1; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c)) continue;
        const QString ch = QChar(char16_t(c));
        const QByteArray page = Codepage::fromUnicode(ch, Codepage::Fallback::NumericReference);
        const bool pageKeepsIt = page == "&#x" + QByteArray::number(c, 16).toUpper() + ";" ||
                                 Codepage::toUnicode(page) == ch;
        if (!pageKeepsIt || Codepage::decodeFile(Codepage::encodeFile(ch)) != ch) failures += ch;
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.toStdString();
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

    // A character is written as its bytes only when they read back as it.
    QString everything;
    QByteArray expected;
    int oneWay = 0;
    for (uint c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c)) continue;
        const char16_t unit = char16_t(c);
        everything += QChar(unit);
        QByteArray bytes, back;
        const bool held = convert(encoder, reinterpret_cast<const char*>(&unit), 2, bytes) &&
                          convert(decoder, bytes.constData(), size_t(bytes.size()), back);
        if (held && back == QByteArray(reinterpret_cast<const char*>(&unit), 2)) {
            expected += bytes;
        } else {
            oneWay += held;
            expected += "&#x" + QByteArray::number(c, 16).toUpper() + ";";
        }
    }
    EXPECT_GE(oneWay, 9);
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

// UTF-8 straight from a database becomes what its text would: every BMP
// character, characters beyond it, marks at the start and within, and line
// ends of every kind, appended to what is there.
TEST(Codepage, Utf8BytesConvertAsTheirTextDoes) {
    QString text = QStringLiteral("\xFEFF先頭の印\r\nCR LF\rCR\nLF\n\r逆\r\r\n猫😀猫\xFEFF\xFFFE");
    for (uint c = 1; c <= 0xFFFF; ++c)
        if (!QChar::isSurrogate(c)) text += QChar(char16_t(c));
    text += QStringLiteral("😀末尾\r");
    QByteArray out("before ");
    ASSERT_TRUE(Codepage::appendUtf8CrLf(out, text.toUtf8(), Codepage::Fallback::NumericReference));
    EXPECT_EQ(out, "before " + Codepage::fromUnicodeCrLf(text, Codepage::Fallback::NumericReference));
    out = "x";
    ASSERT_TRUE(Codepage::appendUtf8CrLf(out, text.toUtf8(), Codepage::Fallback::Question));
    EXPECT_EQ(out, "x" + Codepage::fromUnicodeCrLf(text, Codepage::Fallback::Question));
}

// Bytes that are no well-formed UTF-8 are refused, whatever a decoder would
// make of them, and nothing is appended.
TEST(Codepage, MalformedUtf8IsRefusedWithNothingAppended) {
    const char* cases[] = {
        "\xC0\xAF",          // an overlong "/"
        "\xE0\x80\xAF",      // another
        "\xED\xA0\x80",      // a surrogate half
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\x80",              // a lone continuation
        "\xFF",
        "\xE6\x95",          // cut short at the end
        "\xE6\x95" "A",      // cut short before another
    };
    for (const char* bad : cases) {
        QByteArray out("kept");
        const QByteArray text = QByteArray("散歩") + bad + "の後";
        EXPECT_FALSE(Codepage::appendUtf8CrLf(out, text, Codepage::Fallback::NumericReference)) << text.toHex().constData();
        EXPECT_EQ(out, QByteArray("kept"));
    }
}

}  // namespace
