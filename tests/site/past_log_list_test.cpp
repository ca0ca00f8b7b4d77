#include "site/past_log_list.h"
#include "tests/site/site_fixture.h"

class PastLogList : public SiteFixture {};

TEST_F(PastLogList, LinksAndDropDownNewestFirst) {
    sql(QStringLiteral("INSERT INTO LogDB VALUES ('2005/01', '200501.htm');"
                       "INSERT INTO LogDB VALUES ('2005/03', '200503.htm');"
                       "INSERT INTO LogDB VALUES ('2004/12', '200412.htm');"));
    design(QStringLiteral("[General]\nLogType=Normal\nLogAlign=Left\n[DayList]\nMarginLeft=5\n"));
    EXPECT_EQ(linesOfText(HTML2::WriteLogList(ctx)),
              L({"<HR>", "<P Align=Left>", "<div style=margin-left:5pt>", "<A HREF=\"#this_month\">今月分</A><BR>",
                 "<A HREF=\"./RaravLog/200503.htm\">2005/03月分</A><BR>",
                 "<A HREF=\"./RaravLog/200501.htm\">2005/01月分</A><BR>",
                 "<A HREF=\"./RaravLog/200412.htm\">2004/12月分</A><BR>", "</DIV>", "</P>"}));
    design(QStringLiteral("[General]\nLogType=JavaScript\nLogAlign=Center\n"));
    frame(QStringLiteral("[Frame]\nFrameOn=1\n"));
    EXPECT_EQ(linesOfText(HTML2::WriteLogList(ctx)),
              L({"<HR>", "<P Align=Center>", "<FORM name=\"selectionform\">過去ログ　<SELECT NAME=\"logselect\">",
                 "<OPTION VALUE=\"200503.htm\">2005/03", "<OPTION VALUE=\"200501.htm\">2005/01",
                 "<OPTION VALUE=\"200412.htm\">2004/12", "</SELECT>",
                 "<INPUT type=button value=\"ＯＫ\" onclick=\"{parent.RARAV.location.href='./RaravLog/' + "
                 "GetSelectionText(this.form,logselect) }\"></FORM>",
                 "</P>"}));
}

TEST_F(PastLogList, EmptyOrUnknownType) {
    design(QStringLiteral("[General]\nLogType=Normal\nLogAlign=Right\n"));
    frame(QStringLiteral("[Frame]\nFrameOn=1\n"));
    EXPECT_EQ(linesOfText(HTML2::WriteLogList(ctx)),
              L({"<HR>", "<P Align=Right>", "<A HREF=\"#this_month\">今月分</A><BR>", "</P>"}));
    design(QStringLiteral("[General]\nLogType=normal\nLogAlign=Left\n"));
    EXPECT_EQ(linesOfText(HTML2::WriteLogList(ctx)),
              L({"<HR>", "<P Align=Left>", "<div style=margin-left:0pt>", "</DIV>", "</P>"}));
}
