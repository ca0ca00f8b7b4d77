#include "site/calendar_table.h"
#include "tests/site/site_fixture.h"

#include <QDate>

TEST(DateRules, FirstWeekdayAgreesWithTheCalendarFrom1900To2100) {
    for (int y = 1900; y <= 2100; ++y)
        for (int m = 1; m <= 12; ++m)
            ASSERT_EQ(HTML1::GetFirstWeekday(y, m), QDate(y, m, 1).dayOfWeek() - 1) << y << "/" << m;
}

TEST(DateRules, DaysInMonthAndLabels) {
    struct Case { int year, month, days; } cases[] = {
        {2000, 2, 29}, {2004, 2, 29}, {1900, 2, 28}, {2100, 2, 28}, {2005, 2, 28},
        {2006, 4, 30}, {2006, 12, 31}, {2006, 0, 0}, {2006, 13, 0}};
    for (const Case& c : cases) EXPECT_EQ(HTML1::GetDaysInMonth(c.year, c.month), c.days) << c.year << "/" << c.month;
    EXPECT_EQ(HTML1::GetWeekdayName(0, 1), QStringLiteral("日"));
    EXPECT_EQ(HTML1::GetWeekdayName(6, 2), QStringLiteral("Sat"));
    EXPECT_EQ(HTML1::GetWeekdayName(7, 1), QString());
}

class CalendarTable : public SiteFixture {};

// May 2006 begins on a Monday and ends on a Wednesday; frames on, so the
// links open in the diary frame page.
TEST_F(CalendarTable, MayWithFramesLinksTheDiaryFrame) {
    design(QStringLiteral("[Calender]\nTableBGColor=#FFFFFF\nNoBorder=1\nCellPadding=2\nTRBGColorTop=#EEEEEE\n"
                          "TRBGColor=#FFFFFF\nTableAlign=CENTER\nType=1\n"));
    frame(QStringLiteral("[Frame]\nFrameOn=1\n"));
    entry("2006/05/07", 1, "a");
    entry("2006/05/07", 2, "b");
    entry("2006/05/20", 1, "c", "-", nullptr, 1);
    const MonthEntries entries = loadMonthEntries(ctx.databasePath, QStringLiteral("2006/05"), false);
    const DayPageMap map = buildDayPageMap(entryDays(entries), 31, true);
    EXPECT_EQ(linesOfText(HTML1::WriteCalendar(ctx, site + QStringLiteral("index.htm"), 2006, 5, 1, 0, map,
                                               QStringLiteral("RARAV"), entries)),
              L({"<DIV ALIGN=CENTER>",
                 "<table bgcolor='#FFFFFF' cellpadding=2>",
                 "<tr align=center bgcolor='#EEEEEE'><td><font color='red'>日</font></td><td>月</td><td>火</td><td>水</td>"
                 "<td>木</td><td>金</td><td><font color='blue'>土</font></td></tr>",
                 "<tr align=center bgcolor='#FFFFFF'><td><font color='gray'>30</font></td><td>1</td><td>2</td><td>3</td>"
                 "<td>4</td><td>5</td><td>6</td></tr>",
                 "<tr align=center bgcolor='#FFFFFF'><td><a href=./index_D.htm#2006/05/07 target=\"RARAV\">7</a></td>"
                 "<td>8</td><td>9</td><td>10</td><td>11</td><td>12</td><td>13</td></tr>",
                 "<tr align=center bgcolor='#FFFFFF'><td>14</td><td>15</td><td>16</td><td>17</td><td>18</td><td>19</td>"
                 "<td>20</td></tr>",
                 "<tr align=center bgcolor='#FFFFFF'><td>21</td><td>22</td><td>23</td><td>24</td><td>25</td><td>26</td>"
                 "<td>27</td></tr>",
                 "<tr align=center bgcolor='#FFFFFF'><td>28</td><td>29</td><td>30</td><td>31</td>"
                 "<td><font color='gray'>1</font></td><td><font color='gray'>2</font></td>"
                 "<td><font color='gray'>3</font></td></tr>",
                 "</table>", "</DIV>"}));
    // The private-only 20th is linked in the preview.
    const MonthEntries all = loadMonthEntries(ctx.databasePath, QStringLiteral("2006/05"), true);
    EXPECT_TRUE(HTML1::WriteCalendar(ctx, site + QStringLiteral("index.htm"), 2006, 5, 1, 0,
                                     buildDayPageMap(entryDays(all), 31, true), QStringLiteral("RARAV"), all)
                    .contains(QStringLiteral("#2006/05/20 target=\"RARAV\">20</a>")));
}

// The first row always holds the previous month's last F + 1 days, a full
// row when the month begins on a Sunday; a month ending on Saturday has no
// trailing cells.
TEST_F(CalendarTable, RowsForMonthsStartingOnEachWeekday) {
    struct Case { int year, month, leading, trailing; } cases[] = {
        {2006, 5, 1, 3},   // Monday .. Wednesday
        {2006, 4, 6, 6},   // Saturday .. Sunday
        {2006, 10, 7, 4},  // Sunday .. Tuesday
        {2006, 9, 5, 0},   // Friday .. Saturday
        {2006, 2, 3, 4},   // Wednesday .. Tuesday
    };
    for (const Case& c : cases) {
        const QStringList rows =
            linesOfText(HTML1::WriteCalendar(ctx, site + QStringLiteral("p.htm"), c.year, c.month, 1, 0, DayPageMap(),
                                             QStringLiteral("_self"), {}));
        // No align line: table, weekday row, date rows, </table>, </DIV>.
        const QString first = rows[2], last = rows[rows.size() - 3];
        EXPECT_EQ(first.count(QStringLiteral("gray")), c.leading) << c.year << "/" << c.month;
        EXPECT_EQ(last.count(QStringLiteral("gray")), c.trailing) << c.year << "/" << c.month;
        EXPECT_EQ(rows.size() - 4, c.month == 4 || c.month == 10 ? 6 : 5) << c.year << "/" << c.month;
    }
}

TEST_F(CalendarTable, LinksToDividedAndDayPages) {
    entry("2006/05/30", 1, "a");
    entry("2006/05/07", 1, "b");
    const MonthEntries entries = loadMonthEntries(ctx.databasePath, QStringLiteral("2006/05"), false);
    DayPageMap map;
    map.page[30] = 0;
    map.page[7] = 2;
    const QString numbered =
        HTML1::WriteCalendar(ctx, site + QStringLiteral("index.htm"), 2006, 5, 2, 1, map, QStringLiteral("_self"), entries);
    EXPECT_TRUE(numbered.contains(QStringLiteral("<a href=./index_02.htm#2006/05/07 target=\"_self\">7</a>")));
    EXPECT_TRUE(numbered.contains(QStringLiteral("<a href=./index.htm#2006/05/30 target=\"_self\">30</a>")));
    frame(QStringLiteral("[Divide]\nRaravTerm=1\nUseFileName2Day=1\n[Frame]\nFrameOn=1\n"));
    // Kind 2 is never framed: no "_D" even with FrameOn.
    const QString byDay =
        HTML1::WriteCalendar(ctx, site + QStringLiteral("index.htm"), 2006, 5, 2, 1, map, QStringLiteral("_self"), entries);
    EXPECT_TRUE(byDay.contains(QStringLiteral("<a href=./2006_05_07.htm target=\"_self\">7</a>")));
    EXPECT_TRUE(byDay.contains(QStringLiteral("<a href=./index.htm#2006/05/30 target=\"_self\">30</a>")));
}

// A day another client stored in a form of its own (a blank after it, a
// sign before its number) sorts among the days of the month yet names no
// cell: it links nothing, and every day after it keeps its link.
TEST_F(CalendarTable, ADayOfAnotherFormLeavesTheOtherDaysLinked) {
    entry("2006/05/03", 1, "a");
    entry("2006/05/+4", 1, "sign");
    entry("2006/05/05 ", 1, "blank");
    entry("2006/05/07", 1, "b");
    entry("2006/05/20", 1, "c");
    const MonthEntries entries = loadMonthEntries(ctx.databasePath, QStringLiteral("2006/05"), false);
    const QString table = HTML1::WriteCalendar(ctx, site + QStringLiteral("index.htm"), 2006, 5, 1, 0,
                                               buildDayPageMap(entryDays(entries), 31, true),
                                               QStringLiteral("_self"), entries);
    EXPECT_EQ(table.count(QStringLiteral("<a href=")), 3) << table.toStdString();
    for (const char* day : {"03", "07", "20"})
        EXPECT_TRUE(table.contains(QStringLiteral("<a href=./index.htm#2006/05/%1 target=\"_self\">%2</a>")
                                       .arg(QLatin1String(day))
                                       .arg(QString::fromLatin1(day).toInt())))
            << day;
}

// A month's entries read ahead are handed to the next reading of that month
// on this thread once, and to no other; later readings see the database.
TEST_F(CalendarTable, EntriesReadAheadServeOneReadingOfTheirMonth) {
    entry("2006/05/07", 1, "a");
    const auto titles = [this](const char* month) {
        QStringList t;
        for (const MonthEntry& e : loadMonthEntries(ctx.databasePath, QString::fromLatin1(month), false))
            t << e.title.toString();
        return t;
    };
    {
        const MonthEntriesReadAhead ahead(ctx.databasePath, QStringLiteral("2006/05"), false);
        entry("2006/05/08", 1, "b");
        entry("2006/06/01", 1, "c");
        EXPECT_EQ(titles("2006/06"), QStringList{"c"});
        EXPECT_EQ(loadMonthEntries(ctx.databasePath, QStringLiteral("2006/05"), true).size(), 2);
        EXPECT_EQ(titles("2006/05"), QStringList{"a"});
        EXPECT_EQ(titles("2006/05"), QStringList({"b", "a"}));
    }
    const MonthEntriesReadAhead ahead(ctx.databasePath, QStringLiteral("2006/05"), false);
    entry("2006/05/09", 1, "d");
    EXPECT_EQ(titles("2006/05"), QStringList({"b", "a"}));
}
