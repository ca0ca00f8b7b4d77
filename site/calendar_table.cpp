#include "site/calendar_table.h"

#include "site/page_text.h"

#include <algorithm>
#include <cmath>

namespace HTML1 {

bool IsDivisible(double value, double divisor) {
    const double q = value / divisor;
    return q == std::floor(q);
}

bool IsLeapYear(int year, int) {
    if (IsDivisible(year, 400)) return true;
    return IsDivisible(year, 4) && !IsDivisible(year, 100);
}

int GetDaysInMonth(int year, int month) {
    switch (month) {
    case 2: return IsLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    default: return 0;
    }
}

int GetFirstWeekday(int year, int month) {
    static const int offsets[12] = {0, 3, 3, 6, 8, 11, 13, 16, 19, 21, 24, 26};
    const double y = year - 2000;
    const int a = int(std::floor(y / 4) + (y + 6) - std::floor(y / 100) + std::floor(y / 400));
    int offset = month >= 1 && month <= 12 ? offsets[month - 1] : 0;
    if (IsLeapYear(year) && (month == 1 || month == 2)) offset -= 1;
    const int t = a + offset;
    return t - int(std::floor(t / 7.0)) * 7;
}

QString GetWeekdayName(int index, int type) {
    static const char16_t* kanji[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    static const char* english[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    if (index < 0 || index > 6) return QString();
    return type == 1 ? QString::fromUtf16(kanji[index]) : QString::fromLatin1(english[index]);
}

QString WriteCalendar(const SiteContext& ctx, const QString& pagePath, int year, int month, int kind,
                      int raravDivide, const DayPageMap& map, const QString& targetFrame,
                      const MonthEntries& entries) {
    const int frameOn = kind == 2 ? 0 : ctx.frame("Frame", "FrameOn");
    int useFileName2Day = 0;
    if (raravDivide == 1 && ctx.frame("Divide", "RaravTerm") == 1) useFileName2Day = ctx.frame("Divide", "UseFileName2Day");
    const QString monthPrefix = QString::number(year) + QLatin1Char('/') + twoDigits(month);
    QString baseName = fileBase(pagePath);
    if (frameOn == 1) baseName += QLatin1String("_D");

    // Only a Sunday-first table lines up; nothing writes another first
    // weekday, so the key is not honoured.
    const int prevDays = month == 1 ? GetDaysInMonth(year - 1, 12) : GetDaysInMonth(year, month - 1);
    const int monthDays = GetDaysInMonth(year, month);
    const QString tableBG = ctx.designText("Calender", "TableBGColor");
    const int noBorder = ctx.design("Calender", "NoBorder");
    const int borderSize = ctx.design("Calender", "BorderSize");
    const QString borderColor = ctx.designText("Calender", "BorderColor");
    const QString borderLight = ctx.designText("Calender", "BorderColorLight");
    const QString borderDark = ctx.designText("Calender", "BorderColorDark");
    const QString rowTopBG = ctx.designText("Calender", "TRBGColorTop");
    const QString rowBG = ctx.designText("Calender", "TRBGColor");
    const QString align = ctx.designText("Calender", "TableAlign").toLower();
    const int type = ctx.design("Calender", "Type");
    const int cellPadding = ctx.design("Calender", "CellPadding");

    // The days that have entries, oldest first, walked once as the cells go.
    QStringList days = entryDays(entries);
    std::reverse(days.begin(), days.end());
    qsizetype cursor = 0;

    QString out;
    if (align == QLatin1String("right")) line(out, QStringLiteral("<DIV ALIGN=RIGHT>"));
    else if (align == QLatin1String("center")) line(out, QStringLiteral("<DIV ALIGN=CENTER>"));
    else if (align == QLatin1String("left")) line(out, QStringLiteral("<DIV ALIGN=LEFT>"));

    QString table = QStringLiteral("<table bgcolor='") + tableBG + QStringLiteral("' cellpadding=") +
                    QString::number(cellPadding);
    if (noBorder != 1)
        table += QStringLiteral(" border=") + QString::number(borderSize) + QStringLiteral(" bordercolor='") +
                 borderColor + QStringLiteral("' bordercolorlight='") + borderLight +
                 QStringLiteral("' bordercolordark='") + borderDark + QStringLiteral("'");
    line(out, table + QStringLiteral(">"));

    QString row = QStringLiteral("<tr align=center bgcolor='") + rowTopBG + QStringLiteral("'>");
    for (int w = 0; w < 7; ++w) {
        row += QLatin1String("<td>");
        if (w == 0) row += QLatin1String("<font color='red'>");
        else if (w == 6) row += QLatin1String("<font color='blue'>");
        row += GetWeekdayName(w, type);
        if (w == 0 || w == 6) row += QLatin1String("</font>");
        row += QLatin1String("</td>");
    }
    row += QLatin1String("</tr>");
    line(out, row);

    const QString target = QStringLiteral(" target=\"") + targetFrame + QStringLiteral("\">");
    auto gray = [](int n) { return QStringLiteral("<td><font color='gray'>%1</font></td>").arg(n); };
    auto dateCell = [&](int d) {
        const QString dateText = monthPrefix + QLatin1Char('/') + twoDigits(d);
        QString cell = QStringLiteral("<td>");
        // A day stored in another form ("2006/05/05 ", "2006/05/+4") names
        // no cell; passed over, it keeps the later days from their links.
        while (cursor < days.size() && days[cursor] < dateText) ++cursor;
        if (cursor < days.size() && days[cursor] == dateText) {
            const int page = map[d];
            const bool onOtherPage = page != 0 && raravDivide == 1;
            if (onOtherPage && useFileName2Day == 1)
                cell += QLatin1String("<a href=./") + dayFileStem(days[cursor]) + QLatin1String(".htm");
            else if (onOtherPage)
                cell += QLatin1String("<a href=./") + baseName + QLatin1Char('_') + twoDigits(page) +
                        QLatin1String(".htm#") + dateText;
            else
                cell += QLatin1String("<a href=./") + baseName + QLatin1String(".htm#") + dateText;
            cell += target + QString::number(d) + QLatin1String("</a>");
            ++cursor;
        } else {
            cell += QString::number(d);
        }
        return cell + QLatin1String("</td>");
    };

    const QString rowOpen = QStringLiteral("<tr align=center bgcolor='") + rowBG + QStringLiteral("'>");
    const int first = GetFirstWeekday(year, month);
    row = rowOpen;
    for (int n = prevDays - first; n <= prevDays; ++n) row += gray(n);
    int day = 1;
    for (; day <= 6 - first; ++day) row += dateCell(day);
    row += QLatin1String("</tr>");
    line(out, row);

    while (day <= monthDays) {
        row = rowOpen;
        int next = 1;
        for (int col = 0; col < 7; ++col) row += day <= monthDays ? dateCell(day++) : gray(next++);
        row += QLatin1String("</tr>");
        line(out, row);
    }
    line(out, QStringLiteral("</table>"));
    line(out, QStringLiteral("</DIV>"));
    return out;
}

}  // namespace HTML1
