#include "writing/edit_history.h"
#include "writing/html_tags.h"
#include "writing/clipboard_text.h"

#include <gtest/gtest.h>

namespace {

TEST(EditHistory, NewSnapshotsGoAfterTheLastWhateverThePosition) {
    EditHistory h;
    h.reset(QStringLiteral("A"), 1);
    h.record(QStringLiteral("B"), 1);
    h.record(QStringLiteral("C"), 1);
    EXPECT_EQ(h.undo()->text, QStringLiteral("B"));
    EXPECT_EQ(h.undo()->text, QStringLiteral("A"));
    EXPECT_FALSE(h.undo());
    h.record(QStringLiteral("D"), 1);
    EXPECT_EQ(h.count(), 4);
    EXPECT_EQ(h.undo()->text, QStringLiteral("C"));
    EXPECT_EQ(h.redo()->text, QStringLiteral("D"));
    EXPECT_FALSE(h.redo());
    h.reset(QStringLiteral("X"), 0);
    EXPECT_FALSE(h.undo());
    EXPECT_FALSE(h.redo());
}

// Every snapshot comes back exactly, whatever the change between two:
// repeated characters where the shared start and end overlap, whole
// replacements, emptied fields, a character outside the basic plane split
// by the change.
TEST(EditHistory, EverySnapshotComesBackExactly) {
    const QStringList texts = {QStringLiteral("aa"),     QStringLiteral("aaa"),      QStringLiteral("a"),
                               QString(),                QStringLiteral("xyz"),      QStringLiteral("xaaz"),
                               QStringLiteral("🍣〜🍣"), QStringLiteral("🍣¥🍣🍣"), QStringLiteral("−\r\n−"),
                               QStringLiteral("−\n\n−"), QStringLiteral("aa")};
    EditHistory h;
    h.reset(texts.first(), 0);
    for (int i = 1; i < texts.size(); ++i) h.record(texts.at(i), i);
    for (int i = int(texts.size()) - 2; i >= 0; --i) {
        const auto shot = h.undo();
        ASSERT_TRUE(shot);
        EXPECT_EQ(shot->text, texts.at(i)) << i;
        EXPECT_EQ(shot->caret, i);
    }
    EXPECT_FALSE(h.undo());
    for (int i = 1; i < texts.size(); ++i) EXPECT_EQ(h.redo()->text, texts.at(i)) << i;
    // A snapshot recorded after undoing goes after the last one, from its text.
    h.undo();
    h.undo();
    h.record(QStringLiteral("new"), 0);
    EXPECT_EQ(h.undo()->text, texts.last());
    EXPECT_EQ(h.undo()->text, texts.at(texts.size() - 2));
    EXPECT_EQ(h.redo()->text, texts.last());
    EXPECT_EQ(h.redo()->text, QStringLiteral("new"));
}

TEST(HtmlTags, OpeningAndClosingTexts) {
    struct Case {
        int n;
        const char* pTagAdd;
        const char* selected;
        const char* expected;
    };
    const Case cases[] = {
        {0, "", "", "<BR>"},
        {0, "", "abc", "<BR>abc"},
        {1, "", "abc", "<P>abc</P>"},
        {1, "class=x", "abc", "<P class=x>abc</P>"},
        {2, "", "abc", "<B>abc</B>"},
        {6, "", "", "<em></em>"},
        {7, "", "x", "<strong>x</strong>"},
        {8, "", "x", "<ins>x</ins>"},
        {9, "", "x", "<del>x</del>"},
        {15, "", "x", "<q>x</q>"},
        {16, "", "x", "<BLOCKQUOTE>x</BLOCKQUOTE>"},
        {19, "", "x", "<XMP>x</XMP>"},
    };
    for (const Case& c : cases) {
        const HtmlTags::Tag t = HtmlTags::tag(c.n, QString::fromUtf8(c.pTagAdd));
        EXPECT_EQ(HtmlTags::wrap(t, QString::fromUtf8(c.selected)), QString::fromUtf8(c.expected)) << c.n;
    }
    for (int n : {-1, 12, 13, 14, 20}) EXPECT_TRUE(HtmlTags::tag(n, QString()).opening.isEmpty()) << n;
    EXPECT_EQ(HtmlTags::itemNames().size(), 20);
    EXPECT_EQ(HtmlTags::itemNames().at(13), QStringLiteral("区切り線<HR>"));
}

TEST(ClipboardText, AddParagraphTags) {
    struct Case {
        const char* text;
        const char* pTagAdd;
        const char* expected;
    };
    const Case cases[] = {
        {"abc", "", "<P>abc</P>"},
        {"ab\r\ncd", "", "<P>ab<BR>\r\ncd</P>"},
        {"ab\r\ncd\r\n\r\nef", "", "<P>ab<BR>\r\ncd</P>\r\n<P>ef</P>"},
        {"ab\r\n\r\n\r\nef", "", "<P>ab</P>\r\n<P><BR>\r\nef</P>"},
        {"ab\r\n\r\nef", "class=x", "<P class=x>ab</P>\r\n<P class=x>ef</P>"},
        {"x</P><P>y", "", "<P>x</P>\r\n<P>y</P>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClipboardText::AddParagraphTags(QString::fromUtf8(c.text), QString::fromUtf8(c.pTagAdd)),
                  QString::fromUtf8(c.expected))
            << c.text;
}

}  // namespace
