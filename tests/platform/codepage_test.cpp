#include "platform/codepage.h"

#include <gtest/gtest.h>

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

}  // namespace
