#include "platform/database.h"
#include "tests/support/temp_folder.h"
#include "writing/tag_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TagText, ListTags) {
    struct Case {
        bool ordered;
        int ul, ol;
        const char* start;
        const char* lines;
        bool deleteLast;
        const char* expected;
    };
    const Case cases[] = {
        {false, 0, -1, "1", "", true, "<UL TYPE='disc'><li></UL>"},
        {false, 0, -1, "1", "a\nb\n", true, "<UL TYPE='disc'><li>a<li>b</UL>"},
        {false, 0, -1, "1", "a\nb\n", false, "<UL TYPE='disc'><li>a<li>b<li></UL>"},
        {false, 2, -1, "1", "a\r\nb\r\n\r\n", true, "<UL TYPE='square'><li>a<li>b<li></UL>"},
        {true, 0, 2, "5", "x", true, "<OL TYPE='i' START='5'><li>x</OL>"},
        // Typed text in the style box chooses no style; the start goes in as typed.
        {true, 0, -1, "a1", "x", true, "<OL TYPE='' START='a1'><li>x</OL>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TagText::listTag(c.ordered, c.ul, c.ol, QString::fromUtf8(c.start), QString::fromUtf8(c.lines),
                                   c.deleteLast)
                      .toStdString(),
                  c.expected)
            << c.lines;
}

TEST(TagText, RuleTagsAndWidthChecks) {
    TagText::Rule r;
    r.width = 50;
    r.align = 0;
    r.noshade = true;
    r.color = QStringLiteral("#FF0000");
    EXPECT_EQ(TagText::ruleTag(r), QStringLiteral("<HR Size=2 Width=50% Align='Left' NOSHADE Color='#FF0000'>"));
    r = {};
    r.align = 2;
    EXPECT_EQ(TagText::ruleTag(r), QStringLiteral("<HR Size=2>"));  // full width: no width, no alignment
    r.width = 300;
    r.pixels = true;
    EXPECT_EQ(TagText::ruleTag(r), QStringLiteral("<HR Size=2 Width=300 Align='Right'>"));

    using W = TagText::WidthCheck;
    struct Case {
        const char* text;
        bool pixels;
        W expected;
    };
    const Case checks[] = {{"", false, W::NotNumeric}, {"abc", false, W::NotNumeric}, {"0", false, W::OutOfRange},
                           {"101", false, W::OutOfRange}, {"100", false, W::Ok},    {" 0.5 ", false, W::Ok},
                           {"300", true, W::Ok},          {"", true, W::NotNumeric}};
    for (const Case& c : checks) EXPECT_EQ(TagText::checkRuleWidth(QString::fromUtf8(c.text), c.pixels), c.expected) << c.text;

    struct Whole {
        const char* text;
        bool ok;
        int value;
    };
    const Whole wholes[] = {{"2.5", true, 2}, {"3.5", true, 4}, {"-7", true, -7}, {"abc", false, 0}, {"40000", false, 0}};
    for (const Whole& w : wholes) {
        int value = 0;
        EXPECT_EQ(TagText::toWholeNumber(QString::fromUtf8(w.text), value), w.ok) << w.text;
        if (w.ok) {
            EXPECT_EQ(value, w.value) << w.text;
        }
    }
}

TEST(TagText, FontTags) {
    EXPECT_EQ(TagText::fontTag({}, {}, {}), QStringLiteral("<FONT>"));
    EXPECT_EQ(TagText::fontTag(QStringLiteral("+2"), QStringLiteral("red"), QStringLiteral("MS Gothic")),
              QStringLiteral("<FONT Size=\"+2\" Color=\"red\" Face=\"MS Gothic\">"));
    EXPECT_EQ(TagText::fontTag({}, {}, QStringLiteral("Serif")), QStringLiteral("<FONT Face=\"Serif\">"));
}

TEST(TagText, ImageTags) {
    TagText::Image i;
    EXPECT_EQ(TagText::imageTag(i), QStringLiteral("<IMG SRC=\"\">"));
    i.src = QStringLiteral("./RaravParts/a.jpg");
    i.width = true;
    i.widthText = QStringLiteral("320");
    i.heightText = QStringLiteral("99");  // unchecked: left out
    i.alt = true;
    i.altText = QStringLiteral("cat");
    EXPECT_EQ(TagText::imageTag(i), QStringLiteral("<IMG SRC=\"./RaravParts/a.jpg\" width=\"320\" alt=\"cat\">"));
    i.widthText = QStringLiteral("50");
    i.widthPercent = true;
    i.alt = false;
    i.other = true;  // empty: a blank stays before ">"
    i.div = true;
    i.divText = QStringLiteral("align=\"center\"");
    EXPECT_EQ(TagText::imageTag(i),
              QStringLiteral("<div align=\"center\"><IMG SRC=\"./RaravParts/a.jpg\" width=\"50%\" ></div>"));
    TagText::Image all;
    all.align = all.border = all.hspace = all.vspace = all.height = true;
    all.alignText = QStringLiteral("left");
    all.borderText = QStringLiteral("1");
    all.hspaceText = QStringLiteral("2");
    all.vspaceText = QStringLiteral("3");
    all.heightText = QStringLiteral("4");
    EXPECT_EQ(TagText::imageTag(all), QStringLiteral("<IMG SRC=\"\" height=\"4\" align=\"left\" border=\"1\" "
                                                     "hspace=\"2\" vspace=\"3\">"));
}

TEST(TagText, AutomaticPictureNames) {
    const QString day = QStringLiteral("2024/03/15");
    EXPECT_EQ(TagText::autoPictureName(day, QStringList(), QStringLiteral("jpg")), QStringLiteral("dimage20240315_01.jpg"));
    // Past 99 the greatest name is no longer the greatest number.
    EXPECT_EQ(TagText::autoPictureName(day, {QStringLiteral("dimage20240315_99.gif"), QStringLiteral("dimage20240315_100.gif")},
                                       QStringLiteral("png")),
              QStringLiteral("dimage20240315_101.png"));

    TempFolder tmp;
    const QString db = makeDatabase(tmp.file(QStringLiteral("rarav.mdb")));
    {
        Database d(db);
        for (const auto& [name, rowDay, number] :
             {std::tuple{"dimage20240315_07.png", "2024/03/15", 2}, {"dimage20240315_03.jpg", "2024/03/15", 1},
              {"dimage20240316_09.png", "2024/03/16", 1}, {"other.png", "2024/03/15", 1}})
            d.exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number) VALUES (?, ?, ?)"),
                   {QString::fromUtf8(name), QString::fromUtf8(rowDay), number});
    }
    EXPECT_EQ(TagText::nextAutoPictureName(db, day, QStringLiteral("gif")), QStringLiteral("dimage20240315_08.gif"));
    EXPECT_EQ(TagText::nextAutoPictureName(db, QStringLiteral("2024/03/17"), QStringLiteral("gif")),
              QStringLiteral("dimage20240317_01.gif"));
}

// A name of the day registered by another program under its day written in
// another form, or under "ALL", is still taken: the next automatic name was
// that name again, and registering the new picture kept the stored file of
// that name, so the new entry showed the other picture.
TEST(TagText, AutomaticPictureNamesPassNamesRegisteredUnderAnotherDayText) {
    TempFolder tmp;
    const QString db = makeDatabase(tmp.file(QStringLiteral("rarav.mdb")));
    Database(db).exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number) VALUES "
                                     "('dimage20060503_01.jpg', '2006/5/3', 1), ('DIMAGE20060503_02.JPG', 'ALL', 0), "
                                     "('dimage20060504_05.jpg', '2006/05/04', 1)"));
    EXPECT_EQ(TagText::nextAutoPictureName(db, QStringLiteral("2006/05/03"), QStringLiteral("png")),
              QStringLiteral("dimage20060503_03.png"));
}

TEST(TagText, PreviewFits) {
    struct Case {
        int w, h, fitW, fitH, percent;
    };
    const Case cases[] = {{400, 200, 167, 84, 42}, {200, 400, 84, 167, 42}, {100, 100, 167, 167, 167},
                          {167, 167, 167, 167, 100}, {1000, 1, 167, 0, 17}};
    for (const Case& c : cases) {
        const TagText::PreviewFit f = TagText::previewFit(c.w, c.h);
        EXPECT_EQ(f.width, c.fitW) << c.w << "x" << c.h;
        EXPECT_EQ(f.height, c.fitH) << c.w << "x" << c.h;
        EXPECT_EQ(f.percent, c.percent) << c.w << "x" << c.h;
    }
}

}  // namespace
