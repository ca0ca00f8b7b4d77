#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"
#include "tests/web/blog_fake_page.h"
#include "web/blog_description.h"
#include "web/blog_fields.h"

#include <gtest/gtest.h>

TEST(BlogDescription, MissingKeysReadAsTheDefaultsAndSectionNamesIgnoreCase) {
    TempFolder dir;
    const BlogDescription none = BlogDescription::read(dir.file(QStringLiteral("none.ini")));
    EXPECT_EQ(none.Blog, QStringLiteral("Blog"));
    EXPECT_TRUE(none.PostURL.isEmpty());
    EXPECT_EQ(none.AutoLoginURL, QStringLiteral("TRUE"));
    EXPECT_EQ(none.LoginRedirect, QStringLiteral("FALSE"));
    EXPECT_EQ(none.Genre.type, QStringLiteral("SELECT"));
    for (const BlogField* f : {&none.LoginID, &none.Login, &none.Title, &none.Post, &none.Confirm})
        EXPECT_EQ(f->type, QStringLiteral("NAME"));
    EXPECT_EQ(none.AcceptPing.type, QStringLiteral("NAME"));

    const QString path = dir.writeText(QStringLiteral("b.ini"),
                                       QStringLiteral("[GENERAL]\nblog=日記ブログ\n[SIMPLE]\npostURL=Required\n"
                                                      "FORM_POST=2\nform_confirm=1x\nType_Genre=NAME\nVALUE_Genre2=3\n"
                                                      "VALUE_UnderWrite_Yes=d\nRADIO_VALUE_UnderWrite_YES=公開\n"
                                                      "radio_value_underwrite_no=下書き\nType_AcceptPing=NAMESELECT\n"));
    const BlogDescription d = BlogDescription::read(path);
    EXPECT_EQ(d.Blog, QStringLiteral("日記ブログ"));
    EXPECT_EQ(d.PostURL, kBlogRequired);
    EXPECT_EQ(d.FORM_POST, 2);
    EXPECT_EQ(d.FORM_CONFIRM, 1);
    EXPECT_EQ(d.Genre.type, QStringLiteral("NAME"));
    EXPECT_EQ(d.Genre2, QStringLiteral("3"));
    EXPECT_EQ(d.UnderWrite.yes, QStringLiteral("d"));
    EXPECT_EQ(d.UnderWrite.radioYes, QStringLiteral("公開"));
    EXPECT_EQ(d.UnderWrite.radioNo, QStringLiteral("下書き"));
    EXPECT_EQ(d.AcceptPing.type, QStringLiteral("NAMESELECT"));
}

TEST(BlogDescription, ShippedSampleNamesItsFieldsAndLeavesAddressesToTheUser) {
    const BlogDescription d = BlogDescription::read(QStringLiteral(RARAV_SOURCE_DIR "/dist/SampleBlog.blg"));
    EXPECT_EQ(d.Blog, QStringLiteral("サンプルブログ"));
    EXPECT_EQ(d.PostURL, kBlogRequired);
    EXPECT_EQ(d.ManageURL, kBlogRequired);
    EXPECT_EQ(d.CheckObject, QStringLiteral("title"));
    EXPECT_EQ(d.Login.value, QStringLiteral("login"));
    EXPECT_EQ(d.AcceptComment.type, QStringLiteral("NAMECHECKBOX"));
}

TEST(BlogFields, ChoicesActAsTheirTypeAndFlagSay) {
    using BlogFields::Stem;
    struct Case {
        const char* type;
        const char* yes;
        const char* no;
        const char* radioYes;
        const char* radioNo;
        Stem stem;
        bool flag;
        QStringList expected;
    };
    const Case cases[] = {
        {"NAMECHECKBOX", "draft", "1", "", "", Stem::UnderWrite, true, {"check f1.draft=1"}},
        {"NAMECHECKBOX", "draft", "", "", "", Stem::UnderWrite, true, {"check f1.draft=0"}},
        {"NAMECHECKBOX", "draft", "", "", "", Stem::UnderWrite, false, {"check f1.draft=1"}},
        {"INPUTCHECKBOX", "4", "5", "", "1", Stem::UnderWrite, true, {"check INPUT[4]=1", "check INPUT[5]=0"}},
        {"INPUTCHECKBOX", "4", "5", "", "", Stem::UnderWrite, true, {"check INPUT[4]=0", "check INPUT[5]=1"}},
        {"INPUTCHECKBOX", "4", "5", "", "1", Stem::AcceptComment, true, {}},
        {"NAMESELECT", "c1", "c2", "yes", "no", Stem::AcceptComment, false, {"set f1.c1=no", "set f1.c2=yes"}},
        {"NAMESELECT", "p1", "p2", "yes", "no", Stem::AcceptPing, true, {"set f1.p1=1", "set f1.p2=0"}},
        {"INPUTSELECT", "7", "8", "yes", "no", Stem::AcceptPing, true, {"set INPUT[7]=yes", "set INPUT[8]=no"}},
        {"SELECT", "status", "", "公開", "下書き", Stem::UnderWrite, false, {"select #status=下書き"}},
        {"SELECT", "ping", "", "yes", "no", Stem::AcceptPing, true, {}},
        {"NAME", "x", "y", "yes", "no", Stem::UnderWrite, true, {}},
        {"DRAFTCLICKNAME", "x", "", "", "", Stem::UnderWrite, false, {}},
    };
    for (const Case& c : cases) {
        FakeBlogPage page;
        page.forms = 2;
        const BlogChoice choice{QLatin1String(c.yes), QLatin1String(c.no), QString::fromUtf8(c.radioYes),
                                QString::fromUtf8(c.radioNo), QLatin1String(c.type)};
        BlogFields::applyChoice(page, choice, c.stem, c.flag, 1);
        EXPECT_EQ(page.log, c.expected) << c.type << " " << c.yes << " flag " << c.flag;
    }
    // A selection list needs a name; an index must be a number.
    FakeBlogPage page;
    EXPECT_THROW(BlogFields::applyChoice(page, {{}, {}, {}, {}, QStringLiteral("SELECT")}, Stem::UnderWrite, true, 0),
                 RuntimeError);
    EXPECT_THROW(BlogFields::applyChoice(page, {QStringLiteral("x"), QStringLiteral("1"), {}, {}, QStringLiteral("INPUTSELECT")},
                                         Stem::AcceptComment, true, 0),
                 RuntimeError);
}

TEST(BlogFields, FieldsButtonsAndGenreAreFoundByTheirType) {
    FakeBlogPage page;
    page.forms = 2;
    BlogFields::setField(page, {QStringLiteral("0"), QStringLiteral("TEXTAREA")}, 1, QStringLiteral("t"), true);
    BlogFields::setField(page, {QStringLiteral("0"), QStringLiteral("TEXTAREA")}, 1, QStringLiteral("id"));
    BlogFields::setField(page, {QStringLiteral("title"), QStringLiteral("NAME")}, 1, QStringLiteral("n"));
    BlogFields::pressLogin(page, {QStringLiteral("go"), QStringLiteral("SUBMIT")}, 1);
    BlogFields::pressLogin(page, {QStringLiteral("go"), QStringLiteral("NAME")}, 0);
    BlogFields::pressLogin(page, {QStringLiteral("3"), QStringLiteral("INPUT")}, 0);
    BlogFields::pressLogin(page, {QStringLiteral("3"), QStringLiteral("BUTTON")}, 0);
    BlogFields::pressButton(page, {QStringLiteral("2"), QStringLiteral("BUTTON")}, 0);
    BlogDescription d;
    d.Genre = {QStringLiteral("cat"), QStringLiteral("NAME")};
    d.Genre2 = QStringLiteral("6");
    BlogFields::chooseGenre(page, d, QStringLiteral("旅行"));
    d.Genre.type = QStringLiteral("OTHER");
    BlogFields::chooseGenre(page, d, QStringLiteral("旅行"));
    EXPECT_EQ(page.log, (QStringList{"set TEXTAREA[0]=t", "set INPUT[0]=id", "set f1.title=n", "submit 1",
                                     "click f0.go", "click INPUT[3]", "click INPUT[2]", "select #cat=旅行",
                                     "set INPUT[6]=旅行"}));
    EXPECT_THROW(BlogFields::setField(page, {QStringLiteral("first"), QStringLiteral("INPUT")}, 0, QString()),
                 RuntimeError);
    EXPECT_THROW(BlogFields::pressButton(page, {QStringLiteral("post"), QStringLiteral("NAME")}, 2), RuntimeError);
}
