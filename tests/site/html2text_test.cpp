#include "site/html2text.h"

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* settings;  // "NAME=value;NAME=value" applied with SetValue
    const char* input;     // written with LF; run with LF and with CR LF
    const char* expected;  // written with LF; compared as CR LF
};

QString crlf(const char* text) { return QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

clsHTML2TEXT converterWith(const QString& settings, bool textDefaults) {
    clsHTML2TEXT c;
    if (textDefaults) c.LoadDefaults();
    for (const QString& pair : settings.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        EXPECT_TRUE(c.SetValue(pair.left(eq), pair.mid(eq + 1)));
    }
    return c;
}

void runTable(const std::vector<Case>& cases, bool textDefaults) {
    for (const Case& k : cases) {
        const clsHTML2TEXT c = converterWith(QString::fromUtf8(k.settings), textDefaults);
        const std::string expected = crlf(k.expected).toStdString();
        const QString lf = QString::fromUtf8(k.input);
        EXPECT_EQ(c.Execute(lf).toStdString(), expected) << "LF input: " << k.input << " with " << k.settings;
        EXPECT_EQ(c.Execute(crlf(k.input)).toStdString(), expected) << "CR LF input: " << k.input << " with " << k.settings;
    }
}

}  // namespace

TEST(Html2Text, TextModeRules) {
    runTable({
        {"", "", ""},
        {"", "<p>Hello<br>world</p><hr>", "Hello\nworld\n-----\n"},
        {"", "<b>bold</b> and\ttabs  kept ", "bold and\ttabs  kept "},
        {"HR_NUM=0", "a<hr>b", "a\nb"},
        {"HR_NUM=-3", "a<HR size=1>b", "a\nb"},
        {"HR=0;BR=0;P=0", "a<hr>b<br>c</p>d", "abcd"},
        {"", "</pre>x", "\nx"},
        // links in their three forms, same-page links and anchors
        {"A_LINK_TAG_TYPE=1", "<a href=\"page.htm\">site</a>", "[リンク:page.htm]site"},
        {"A_LINK_TAG_TYPE=2", "<a href=\"page.htm\">site</a>", "site(page.htm)"},
        {"A_LINK_TAG_TYPE=0", "<a href=\"page.htm\">site</a>", "<a href=\"page.htm\">site</a>"},
        {"A_LINK_TAG_TYPE=2", "<A HREF='x.htm' target=_blank>s</A>", "s(x.htm)"},
        {"A_LINK_TAG_TYPE=1", "<a href=\"#top\">up</a>", "up"},
        {"A_LINK_TAG_TYPE=2", "<a href=\"#top\">up</a>", "up()"},
        {"A_LINK_TAG_TYPE=0", "<a href=#top>up</a>", "up</a>"},
        {"AHREFSharp=0;A_LINK_TAG_TYPE=1", "<a href=\"#top\">up</a>", "[リンク:#top]up"},
        {"", "<a name=\"x\">here</a>", "here"},
        {"ANAME=0", "<a name=\"x\">here</a>", "[リンク:]here"},
        {"AHREF=0;A_LINK_TAG_TYPE=2", "<a href=\"p.htm\">s</a>", "s()"},
        // image notes
        {"", "<img src=\"a.gif\" alt=\"cat\">", "[イメージ:cat:a.gif]"},
        {"", "<IMG ALT='dog' SRC='b.png' />", "[イメージ:dog:b.png]"},
        {"", "<img src=a.gif>", "[イメージ::]"},
        {"", "<img src= a.gif alt= cat>", "[イメージ:cat:a.gif]"},
        {"IMG=0", "x<img src=\"a.gif\">y", "xy"},
        // entities: in this order, only these three
        {"", "a &amp;lt; b &lt;c&gt; &nbsp;", "a < b <c> &nbsp;"},
        // a "<" that nothing closes stays as text
        {"", "1 < 2", "1 < 2"},
        {"", "1 < 2 and <b>3", "1 3"},
        {"", "x <a href=\"p", "x <a href=\"p"},
    }, true);
}

TEST(Html2Text, LineBreaksAndCollapsing) {
    runTable({
        {"", "a\nb", "a\nb"},
        {"", "a\n\nb", "a\n\nb"},
        {"", "a\n\n\nb", "a\nb"},
        {"", "a\n\n\n\nb", "a\n\nb"},
        {"", "a\n\n\n\n\nb", "a\nb"},
        {"ENTER=0", "a\n\n\n\nb", "a\n\n\n\nb"},
        {"", "a<br><br><br>b", "a\nb"},
        // PBR 1: input breaks go, a closing paragraph is two breaks, nothing collapses
        {"PBR=1", "x\ny</p>z", "xy\n\nz"},
        {"PBR=1", "a</p></p>b", "a\n\n\n\nb"},
    }, true);

    // A lone CR in the body is a break like any other.
    clsHTML2TEXT c;
    c.LoadDefaults();
    EXPECT_EQ(c.Execute(QStringLiteral("a\rb\nc")), QStringLiteral("a\r\nb\r\nc"));
}

TEST(Html2Text, HtmlModeCascade) {
    runTable({
        {"MODE=HTML", "<p>a<br>b</p>\n<b>x</b>&amp;", "<p>a<br>b</p>\n<b>x</b>&"},
        {"MODE=HTML;HTML_LIST=1", "<ul>\n<li>a\n<li>b\n</ul>", "\n・a\n・b\n"},
        {"MODE=HTML;HTML_LIST=1", "<ul><li>a<li>b</ul>", "\n・a\n・b"},
        {"MODE=HTML;HTML_SUP=1", "x<sup>2</sup>", "x2"},
        {"MODE=HTML;HTML_B=1", "a<br>b<b>c</b>", "abc"},
        {"MODE=HTML;HTML_BR=1", "a<br>b", "a\nb"},
        {"MODE=HTML;HTML_P=1", "<pre>x</pre>y", "x\ny"},
        {"MODE=HTML;HTML_P=1;HTML_PRE=1", "<pre>x</pre>y", "xy"},
        {"MODE=HTML;HTML_S=1", "<strong>a</strong><s>b</s><span>c</span>", "abc"},
        {"MODE=HTML;HTML_STRONG=1", "<strong>a</strong><s>b</s>", "a<s>b</s>"},
        {"MODE=HTML;HTML_I=1", "<i>a</i><img src=x.gif>", "a"},
        {"MODE=HTML;HTML_U=1", "<ul><u>a</u></ul>", "a"},
        {"MODE=HTML;HTML_TABLE=1", "<table><caption>c</caption><tr><th>h</th><td>d</td></tr></table>", "chd"},
        {"MODE=HTML;HTML_BLOCKQUOTE=1;HTML_XMP=1;HTML_TT=1;HTML_EM=1", "<blockquote><xmp><tt>a</tt><em>b</em></xmp></blockquote>", "ab"},
        {"MODE=HTML;HTML_INS=1;HTML_DEL=1;HTML_SUB=1;HTML_Q=1", "<ins>a</ins><del>b</del><sub>c</sub><q>d</q>", "abcd"},
        {"MODE=HTML;HTML_HR=1;HTML_HR_Num=3", "a<hr>b", "a---\nb"},
        {"MODE=HTML;HTML_HR=1;HTML_HR_Num=-1", "a<hr>b", "a\nb"},
        {"MODE=HTML;HTML_B=1;HTML_A=1", "<a href=\"x\"><b>l</b></a>", "<a href=\"x\">l</a>"},
        {"MODE=HTML;HTML_P=1", "<p>a</p><p>b</p>", "a\nb\n"},
        // PBR 2 keeps paragraphs and breaks as bare tags, and the line breaks of the result
        {"MODE=HTML;PBR=2", "<p class=\"x\">a<br />b</p>", "<P>a<BR>b</P>"},
        {"MODE=HTML;PBR=2;HTML_B=1", "<p class=\"x\">a<br />b</p>", "<P>ab</P>"},
        {"MODE=HTML;PBR=2", "a\nb<br>\nc", "ab<BR>c"},
        {"MODE=HTML;PBR=1;HTML_P=1", "a</p>b", "a\n\nb"},
    }, false);
}

TEST(Html2Text, NewObjectConvertsAsHtmlWithEveryRuleOff) {
    clsHTML2TEXT c;
    EXPECT_EQ(c.GetValue(QStringLiteral("MODE")), QString());
    EXPECT_EQ(c.GetValue(QStringLiteral("HR_NUM")), QStringLiteral("0"));
    EXPECT_EQ(c.Execute(QStringLiteral("<p>a\n\n\nb</p>")), QStringLiteral("<p>a\r\n\r\n\r\nb</p>"));
}

TEST(Html2Text, SetValueAndGetValue) {
    clsHTML2TEXT c;
    EXPECT_FALSE(c.SetValue(QString(), QStringLiteral("1")));
    EXPECT_TRUE(c.SetValue(QStringLiteral("mode"), QStringLiteral("TEXT")));
    EXPECT_EQ(c.GetValue(QStringLiteral("MODE")), QString());
    EXPECT_TRUE(c.SetValue(QStringLiteral("NoSuchSetting"), QStringLiteral("x")));
    EXPECT_EQ(c.GetValue(QStringLiteral("NoSuchSetting")), QString());
    EXPECT_EQ(c.GetValue(QStringLiteral("hr_num")), QString());

    struct NumberCase { const char* value; int expected; };
    for (const NumberCase& k : {NumberCase{"2", 2}, {" 7 ", 7}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
                                {"32767", 32767}, {"-32768", -32768}, {"1e2", 100}}) {
        ASSERT_TRUE(c.SetValue(QStringLiteral("A_LINK_TAG_TYPE"), QString::fromUtf8(k.value)));
        EXPECT_EQ(c.GetValue(QStringLiteral("A_LINK_TAG_TYPE")), QString::number(k.expected)) << k.value;
    }
    c.SetValue(QStringLiteral("HR_NUM"), QStringLiteral("4"));
    for (const char* bad : {"", "abc", "1x"}) {
        try {
            c.SetValue(QStringLiteral("HR_NUM"), QString::fromUtf8(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, ErrorNumber::TypeMismatch) << bad;
        }
    }
    for (const char* big : {"32768", "-32769", "32767.5", "1e9"}) {
        try {
            c.SetValue(QStringLiteral("HTML_HR_Num"), QString::fromUtf8(big));
            ADD_FAILURE() << "no error for " << big;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, ErrorNumber::Overflow) << big;
        }
    }
    EXPECT_EQ(c.GetValue(QStringLiteral("HR_NUM")), QStringLiteral("4"));

    c.LoadDefaults();
    c.SetValue(QStringLiteral("A_LINK_TAG_TYPE"), QStringLiteral("2"));
    EXPECT_EQ(c.Execute(QStringLiteral("<a href=\"p.htm\">s</a>")), QStringLiteral("s(p.htm)"));
}

TEST(Html2Text, InitializeReadsTheFileAndItsDefaults) {
    TempFolder dir;
    clsHTML2TEXT c;
    c.SetValue(QStringLiteral("MODE"), QStringLiteral("HTML"));
    EXPECT_FALSE(c.Initialize(QString()));
    EXPECT_FALSE(c.Initialize(dir.file(QStringLiteral("missing.ini"))));
    EXPECT_EQ(c.GetValue(QStringLiteral("MODE")), QStringLiteral("HTML"));

    const QString partial = dir.writeText(QStringLiteral("p.ini"),
                                          QStringLiteral("[general]\r\na_link_tag_type=2\r\n[hr]\r\nnum=3\r\n[Html2Html]\r\nLIST=1\r\n"));
    c.SetValue(QStringLiteral("PBR"), QStringLiteral("2"));
    ASSERT_TRUE(c.Initialize(partial));
    EXPECT_EQ(c.GetValue(QStringLiteral("MODE")), QStringLiteral("TEXT"));
    EXPECT_EQ(c.GetValue(QStringLiteral("PBR")), QStringLiteral("0"));
    EXPECT_EQ(c.GetValue(QStringLiteral("A_LINK_TAG_TYPE")), QStringLiteral("2"));
    EXPECT_EQ(c.GetValue(QStringLiteral("HR_NUM")), QStringLiteral("3"));
    EXPECT_EQ(c.GetValue(QStringLiteral("HTML_LIST")), QStringLiteral("1"));
    EXPECT_EQ(c.GetValue(QStringLiteral("HTML_BR")), QStringLiteral("0"));
    EXPECT_EQ(c.GetValue(QStringLiteral("AHREFSharp")), QStringLiteral("1"));
    EXPECT_EQ(c.GetValue(QStringLiteral("ENTER")), QStringLiteral("1"));

    const QString big = dir.writeText(QStringLiteral("big.ini"), QStringLiteral("[HR]\r\nNUM=40000\r\n"));
    try {
        c.Initialize(big);
        ADD_FAILURE() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::Overflow);
    }
}

TEST(Html2Text, SaveValueRoundTrip) {
    TempFolder dir;
    clsHTML2TEXT c;
    c.LoadDefaults();
    EXPECT_FALSE(c.SaveValue(dir.file(QStringLiteral("no/such/folder.ini"))));
    EXPECT_FALSE(Files::exists(dir.file(QStringLiteral("no"))));

    const char* names[] = {"MODE", "ENTER", "A_LINK_TAG_TYPE", "HR", "HR_NUM", "BR", "P", "IMG", "ANAME", "AHREF",
                           "AHREFSharp", "HTML_BR", "HTML_P", "HTML_XMP", "HTML_SPAN", "HTML_S", "HTML_SUP",
                           "HTML_SUB", "HTML_TT", "HTML_PRE", "HTML_BLOCKQUOTE", "HTML_HR", "HTML_HR_Num",
                           "HTML_TABLE", "HTML_LIST", "HTML_A", "HTML_EM", "HTML_STRONG", "HTML_INS", "HTML_DEL",
                           "HTML_Q", "HTML_U", "HTML_I", "HTML_B"};
    int n = 2;
    for (const char* name : names) {
        if (QLatin1String(name) != QLatin1String("MODE")) c.SetValue(QLatin1String(name), QString::number(n++));
    }
    c.SetValue(QStringLiteral("MODE"), QStringLiteral("HTML"));
    c.SetValue(QStringLiteral("PBR"), QStringLiteral("1"));
    const QString path = dir.file(QStringLiteral("HTML2TXT.ini"));
    ASSERT_TRUE(c.SaveValue(path));

    const QString text = Files::readText(path);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[GENERAL]\r\nMODE=HTML\r\nENTER=2\r\nA_LINK_TAG_TYPE=3\r\n[HTML2HTML]\r\nBR=")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("PBR")));
    EXPECT_LT(text.indexOf(QStringLiteral("[HTML]")), text.indexOf(QStringLiteral("[HR]")));

    clsHTML2TEXT back;
    ASSERT_TRUE(back.Initialize(path));
    for (const char* name : names) EXPECT_EQ(back.GetValue(QLatin1String(name)), c.GetValue(QLatin1String(name))) << name;
    EXPECT_EQ(back.GetValue(QStringLiteral("PBR")), QStringLiteral("0"));
}

TEST(Html2Text, ShippedFeedRulesAreTheDefaults) {
    clsHTML2TEXT shipped, defaults;
    ASSERT_TRUE(shipped.Initialize(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT_RSS.ini")));
    defaults.LoadDefaults();
    const QString body = QStringLiteral("<p>a<a href=\"x.htm\">b</a><img src=\"c.gif\" alt=\"d\"></p><hr>\r\n\r\n\r\ne");
    EXPECT_EQ(shipped.Execute(body), defaults.Execute(body));
    clsHTML2TEXT exportRules;
    ASSERT_TRUE(exportRules.Initialize(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT.ini")));
    EXPECT_EQ(exportRules.GetValue(QStringLiteral("MODE")), QStringLiteral("TEXT"));
}
