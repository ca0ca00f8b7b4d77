#include "site/in_program_pages.h"

#include "platform/database.h"
#include "platform/dates.h"
#include "platform/profile_cache.h"
#include "platform/search_index.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "site/diary_body.h"
#include "site/page_text.h"


namespace {

// The design-set values these pages borrow, read afresh on every call.
struct PageStyle {
    int addTitle = 0, useDayList = 0, htmlType = 0, tableBorder = 0, cellspacing = 0, tableWidth = 100;
    int showWeather = 0, showGenre = 0;
    QString textColor, backImage, backColor, tableBGColor, tBorderColor, titleBGColor, titleFTColor, dayBGColor,
        dayFTColor, contentsFTColor, contentsBGColor, dayContentsAlign, dayTitleAlign;

    static PageStyle read(const QString& ini) {
        auto text = [&](const char* section, const char* key) { return IniFile::GetIniString(ini, section, key); };
        auto number = [&](const char* section, const char* key) { return IniFile::GetIniInt(ini, section, key); };
        PageStyle s;
        s.addTitle = number("DayList", "AddTitle");
        s.useDayList = number("DayList", "Use");
        s.textColor = text("Body", "TextColor");
        s.backImage = text("Body", "BackImage");
        s.backColor = text("Body", "BackColor");
        s.htmlType = number("Contents", "HTMLType");
        s.tableBorder = number("Contents", "TableBorder");
        s.tableBGColor = text("Contents", "TableBGColor");
        s.cellspacing = number("Contents", "Cellspacing");
        s.tBorderColor = text("Contents", "TBorderColor");
        s.titleBGColor = text("Contents", "TitleBGColor");
        s.titleFTColor = text("Contents", "TitleFTColor");
        s.dayBGColor = text("Contents", "DayBGColor");
        s.dayFTColor = text("Contents", "DayFTColor");
        s.contentsFTColor = text("Contents", "ContentsFTColor");
        s.contentsBGColor = text("Contents", "ContentsBGColor");
        s.tableWidth = number("Contents", "TableWidth");
        if (s.tableWidth == 0) s.tableWidth = 100;
        s.dayContentsAlign = text("Contents", "DayContentsAlign");
        s.dayTitleAlign = text("General", "DayTitleAlign");
        s.showWeather = number("General", "Weather");
        s.showGenre = number("General", "Genre");
        return s;
    }
};

// Null and the empty text stay apart: a missing body, continuation, genre or
// weather adds nothing, an empty one still gets its marks.
struct Row {
    QString day, title, genre, weather, contents, extend;
    bool hasGenre = false, hasWeather = false, hasContents = false, hasExtend = false;
    int number = 0;
};

QList<Row> rowsOf(const Recordset& rs) {
    QList<Row> rows;
    for (qsizetype i = 0; i < rs.size(); ++i) {
        Row r;
        r.day = rs.text(i, "Day");
        r.number = rs.integer(i, "Number");
        r.title = rs.text(i, "Title");
        r.genre = rs.text(i, "Genre");
        r.weather = rs.text(i, "Weather");
        r.contents = rs.text(i, "Contents");
        r.extend = rs.text(i, "Extend");
        r.hasGenre = !rs.value(i, "Genre").isNull();
        r.hasWeather = !rs.value(i, "Weather").isNull();
        r.hasContents = !rs.value(i, "Contents").isNull();
        r.hasExtend = !rs.value(i, "Extend").isNull();
        rows << r;
    }
    return rows;
}

void writeHead(QString& page, const QString& title, const PageStyle& s) {
    line(page, QStringLiteral("<HTML lang=\"ja\"><HEAD><TITLE>%1</TITLE></HEAD>").arg(title));
    line(page, QStringLiteral("<BODY TEXT='%1' BGCOLOR='%2' background='%3'>").arg(s.textColor, s.backColor, s.backImage));
    // The built-in browser runs JavaScript only; the viewer closes itself when
    // the page asks for the Event:Close address.
    line(page, QStringLiteral("<p align=center><INPUT type=button name=Close value=\"Close Window\">\r\n"
                             "<SCRIPT type=\"text/javascript\">\r\n"
                             "document.getElementsByName(\"Close\")[0].onclick = function () {\r\n"
                             "location.href = \"Event:Close\";\r\n"
                             "};\r\n"
                             "</SCRIPT>\r\n"
                             "</p>"));
}

QString tableLine(const PageStyle& s) {
    return QStringLiteral("<TABLE BORDER=%1 BGCOLOR=\"%2\" CELLSPACING=%3 BORDERCOLOR=%4 width=%5%>")
        .arg(s.tableBorder)
        .arg(s.tableBGColor)
        .arg(s.cellspacing)
        .arg(s.tBorderColor)
        .arg(s.tableWidth);
}

const QString kTopLink = QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"#TOP\">top</A></DIV>");


}  // namespace

namespace HTML0 {

void MakeSameDayPage(const QString& PagePath, const QString& Day) {
    ProfileCache::Operation settingsRead;
    const auto& state = Shell::state();
    const PageStyle s = PageStyle::read(state.CustIniFile);
    const QString monthDay = Day.right(6);  // "/MM/DD" of a stored day
    Database db(state.databasePath(), Database::Mode::ReadOnly);
    const QList<Row> rows = rowsOf(db.query(
        QStringLiteral("SELECT * FROM Contents WHERE Day Like ? Escape '\\' AND Day <> ? ORDER BY Day DESC, Number"),
        {QStringLiteral("%") + Sql::escapeLike(monthDay), Day}));

    QString page;
    writeHead(page, Day.mid(5, 5) + QStringLiteral("の日記"), s);
    if (s.useDayList != 0) {
        for (const Row& r : rows) {
            if (s.addTitle == 1)
                line(page, QStringLiteral("<a href=\"#%1\">%1</a>　%2<br>").arg(r.day, r.title));
            else
                line(page, QStringLiteral("<a href=\"#%1\">%1</a><br>").arg(r.day));
        }
        if (rows.isEmpty()) line(page, QStringLiteral("以前の同じ日の日記はありません。"));
        line(page, QStringLiteral("</div><hr>\r\n"));
    }
    for (const Row& r : rows) {
        if (s.htmlType == 0) {
            line(page, QStringLiteral("<H3 ALIGN=%1 STYLE=\"COLOR:%2;BACKGROUND:%3\"><A NAME=\"%4\">%5(%4)</A></H3>")
                          .arg(s.dayTitleAlign, s.titleFTColor, s.titleBGColor, r.day, r.title));
            line(page, QStringLiteral("<DIV STYLE=\"COLOR:%1;BACKGROUND:%2\" align=%3>")
                          .arg(s.contentsFTColor, s.contentsBGColor, s.dayContentsAlign));
            if (r.hasContents) line(page, r.contents);
            if (r.hasExtend) {
                line(page, QStringLiteral("<BR>"));
                line(page, r.extend);
            }
            line(page, QStringLiteral("</DIV>"));
            line(page, kTopLink);
        } else if (s.htmlType == 1) {
            line(page, QStringLiteral("<DIV ALIGN=%1>").arg(s.dayContentsAlign));
            line(page, tableLine(s));
            line(page, QStringLiteral("<TR><TD ALIGN=%1 BGCOLOR=%2><A NAME=\"%3\"><FONT COLOR=%4>%5</FONT></TD>"
                                     "<TD ALIGN=RIGHT BGCOLOR=%6><FONT COLOR=%7>%3</a></FONT></TD></TR>")
                          .arg(s.dayTitleAlign, s.titleBGColor, r.day, s.titleFTColor, r.title, s.dayBGColor,
                               s.dayFTColor));
            line(page, QStringLiteral("<TR><TD COLSPAN=2 BGCOLOR=%1><FONT COLOR=%2>%3")
                          .arg(s.contentsBGColor, s.contentsFTColor, r.contents));
            line(page, !r.hasExtend ? QStringLiteral("</FONT></TD></TR>")
                                         : QStringLiteral("<br>%1</FONT></TD></TR>").arg(r.extend));
            line(page, QStringLiteral("</TABLE></DIV>"));
            line(page, kTopLink + QStringLiteral("<BR>"));
        }
    }
    line(page, QStringLiteral("</BODY></HTML>"));
    writePage(PagePath, page);
}

QString HighlightKeyword(const QString& html, const QString& keyword) {
    if (keyword.isEmpty()) return html;
    const QString mark = QStringLiteral("<span style='font-style:italic;color:RED;background-color:YELLOW'>") +
                         keyword + QStringLiteral("</span>");
    QString out;
    out.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        if (html[i] == QLatin1Char('<')) {
            const qsizetype close = html.indexOf(QLatin1Char('>'), i);
            const qsizetype end = close < 0 ? html.size() : close + 1;
            out += QStringView(html).mid(i, end - i);
            i = end;
            continue;
        }
        qsizetype textEnd = html.indexOf(QLatin1Char('<'), i);
        if (textEnd < 0) textEnd = html.size();
        QString text = html.mid(i, textEnd - i);
        text.replace(keyword, mark, Qt::CaseSensitive);
        out += text;
        i = textEnd;
    }
    return out;
}

QString PointPartsToLog(const QString& html) {
    static const QString parts = QStringLiteral("/RaravParts");
    static const QString logged = QStringLiteral("/RaravLog");
    QString out;
    qsizetype from = 0;
    for (qsizetype at = html.indexOf(parts); at >= 0; at = html.indexOf(parts, at + parts.size())) {
        out += QStringView(html).mid(from, at - from);
        const bool already = at >= logged.size() && QStringView(html).mid(at - logged.size(), logged.size()) == logged;
        if (!already) out += logged;
        out += parts;
        from = at + parts.size();
    }
    out += QStringView(html).mid(from);
    return out;
}

int MakeSearchResultPage(const QString& PagePath, const QString& Keyword, bool UsePeriod, const QString& FromDay,
                         const QString& ToDay, bool UseGenre, const QString& Genre) {
    ProfileCache::Operation settingsRead;
    QDate from, to;
    if (UsePeriod) {
        const auto f = Dates::parseDay(FromDay);
        const auto t = Dates::parseDay(ToDay);
        if (!f || !t) throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("日付が正しくありません。"));
        from = *f;
        to = *t;
    }
    const auto& state = Shell::state();
    const PageStyle s = PageStyle::read(state.CustIniFile);
    Database db(state.databasePath(), Database::Mode::ReadOnly);
    const QString pattern = QStringLiteral("%") + Sql::escapeLike(Keyword) + QStringLiteral("%");
    QString sql = QStringLiteral(
        "SELECT Day, Number, Title, Contents, Extend, Weather, Genre FROM Contents "
        "WHERE (Contents Like ?1 Escape '\\' OR Title Like ?1 Escape '\\')");
    QVariantList params{pattern};
    if (UseGenre) {
        sql += QStringLiteral(" AND Genre Like ?2 Escape '\\'");
        params << Sql::escapeLike(Genre);
    }
    // The index only narrows the rows; the conditions above decide.
    const QString match = SearchIndex::matchQuery(Keyword);
    if (!match.isEmpty() && SearchIndex::available(db)) {
        sql += QStringLiteral(" AND rowid IN (SELECT rowid FROM ContentsSearch WHERE ContentsSearch MATCH ?%1)")
                   .arg(params.size() + 1);
        params << match;
    }
    sql += QStringLiteral(" ORDER BY Day DESC, Number");
    const QList<Row> rows = rowsOf(db.query(sql, params));
    auto inPeriod = [&](const Row& r) {
        if (!UsePeriod) return true;
        const auto d = Dates::parseDay(r.day);
        return d && *d >= from && *d <= to;
    };

    QString page;
    writeHead(page, QStringLiteral("検索結果"), s);
    line(page, QStringLiteral("<p>キーワード：%1</p>").arg(Keyword));
    line(page, UsePeriod ? QStringLiteral("<p>期間：%1～%2</p>").arg(FromDay, ToDay) : QString());
    line(page, UseGenre ? QStringLiteral("<p>ジャンル：%1</p><hr>").arg(Genre) : QStringLiteral("<hr>"));
    if (s.useDayList != 0) {
        for (const Row& r : rows) {
            if (!inPeriod(r)) continue;
            const QString genreMark =
                (s.showGenre != 0 && r.hasGenre) ? QStringLiteral("[%1]　").arg(r.genre) : QString();
            const QString anchor = QStringLiteral("%1_%2").arg(r.day).arg(r.number);
            if (s.addTitle == 1)
                line(page, QStringLiteral("<a href=\"#%1\">%2</a>　%3%4<br>").arg(anchor, r.day, genreMark, r.title));
            else
                line(page, QStringLiteral("<a href=\"#%1\">%2</a>　%3<br>").arg(anchor, r.day, genreMark));
        }
        if (rows.isEmpty()) line(page, QStringLiteral("検索結果0件。"));
        line(page, QStringLiteral("</div><hr>\r\n"));
    }

    int count = 0;
    for (const Row& r : rows) {
        if (!inPeriod(r) || (s.htmlType != 0 && s.htmlType != 1)) continue;
        const bool weatherShown = s.showWeather != 0 && r.hasWeather && r.weather != QLatin1String("-");
        const bool genreShown = s.showGenre != 0 && r.hasGenre;
        const QString icon = HTML3::weatherIcon(r.weather);
        const QString anchor = QStringLiteral("%1_%2").arg(r.day).arg(r.number);
        QString body = r.contents;
        if (r.hasExtend) body += QStringLiteral("\r\n<br>") + r.extend;
        body = PointPartsToLog(HighlightKeyword(body, Keyword));

        if (s.htmlType == 0) {
            const QString genreMark = genreShown ? QStringLiteral("[%1]").arg(r.genre) : QString();
            const QString weatherMark =
                weatherShown ? QStringLiteral("<IMG SRC=\"./RaravParts/%1\">").arg(icon) : QString();
            line(page, QStringLiteral("<H3 ALIGN=%1 STYLE=\"COLOR:%2;BACKGROUND:%3\">%4<A NAME=\"%5\">%6(%7)</A>%8</H3>")
                          .arg(s.dayTitleAlign, s.titleFTColor, s.titleBGColor, genreMark, anchor, r.title, r.day,
                               weatherMark));
            line(page, QStringLiteral("<DIV STYLE=\"COLOR:%1;BACKGROUND:%2\" align=%3>")
                          .arg(s.contentsFTColor, s.contentsBGColor, s.dayContentsAlign));
            line(page, body);
            line(page, QStringLiteral("</DIV>"));
            line(page, kTopLink);
        } else {
            const QString genreCell =
                genreShown ? QStringLiteral("<TD ALIGN=RIGHT BGCOLOR=%1><FONT COLOR=%2><NOBR>[%3]</NOBR></FONT></TD>")
                                 .arg(s.dayBGColor, s.dayFTColor, r.genre)
                           : QString();
            const QString weatherCell =
                weatherShown ? QStringLiteral("<TD width=16pt BGCOLOR=%1><IMG SRC=\"./RaravParts/%2\"></TD>")
                                   .arg(s.dayBGColor, icon)
                             : QString();
            const int span = 2 + (weatherShown ? 1 : 0) + (genreShown ? 1 : 0);
            line(page, QStringLiteral("<DIV ALIGN=%1>").arg(s.dayContentsAlign));
            line(page, tableLine(s));
            line(page, QStringLiteral("<TR><TD ALIGN=%1 BGCOLOR=%2 WIDTH=100%><A NAME=\"%3\"><FONT COLOR=%4>%5</FONT>"
                                     "</TD>%6<TD ALIGN=RIGHT BGCOLOR=%7><FONT COLOR=%8>%9</a></FONT></TD>")
                          .arg(s.dayTitleAlign, s.titleBGColor, anchor, s.titleFTColor, r.title, genreCell,
                               s.dayBGColor, s.dayFTColor, r.day) +
                      weatherCell + QStringLiteral("</TR>"));
            line(page, QStringLiteral("<TR><TD COLSPAN=%1 BGCOLOR=%2><FONT COLOR=%3>%4</FONT></TD></TR>")
                          .arg(span)
                          .arg(s.contentsBGColor, s.contentsFTColor, body));
            line(page, QStringLiteral("</TABLE></DIV>"));
            line(page, kTopLink + QStringLiteral("<BR>"));
        }
        ++count;
    }
    line(page, QStringLiteral("</BODY></HTML>"));
    writePage(PagePath, page);
    return count;
}

}  // namespace HTML0
