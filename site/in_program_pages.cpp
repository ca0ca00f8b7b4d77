#include "site/in_program_pages.h"

#include "platform/database.h"
#include "platform/dates.h"
#include "platform/profile_cache.h"
#include "platform/search_index.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "site/diary_body.h"
#include "site/page_text.h"

#include <algorithm>


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
    qint64 rowid = 0;
};

QList<Row> rowsOf(const Recordset& rs) {
    const int day = rs.column(QStringLiteral("Day")), number = rs.column(QStringLiteral("Number")),
              title = rs.column(QStringLiteral("Title")), genre = rs.column(QStringLiteral("Genre")),
              weather = rs.column(QStringLiteral("Weather")), contents = rs.column(QStringLiteral("Contents")),
              extend = rs.column(QStringLiteral("Extend")), rowid = rs.column(QStringLiteral("rowid"));
    auto at = [](const QVariantList& row, int c) { return c < 0 ? QVariant() : row[c]; };
    QList<Row> rows;
    rows.reserve(rs.size());
    for (const QVariantList& values : rs.rows) {
        Row r;
        r.day = at(values, day).toString();
        r.number = at(values, number).toInt();
        r.rowid = at(values, rowid).toLongLong();
        const QVariant g = at(values, genre), w = at(values, weather), c = at(values, contents),
                       e = at(values, extend);
        r.title = at(values, title).toString();
        r.genre = g.toString();
        r.weather = w.toString();
        r.contents = c.toString();
        r.extend = e.toString();
        r.hasGenre = !g.isNull();
        r.hasWeather = !w.isNull();
        r.hasContents = !c.isNull();
        r.hasExtend = !e.isNull();
        rows << r;
    }
    return rows;
}

template <typename Page>
void writeHead(Page& page, const QString& title, const PageStyle& s) {
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

// Like ignores the case of ASCII letters only: a keyword without them (and
// without a NUL, where Like's text ends) is found by Like exactly where it
// occurs as it stands, and SQLite's Like walks every character of an entry
// for a pattern that starts outside ASCII.
bool caseCannotMatter(const QString& keyword) {
    for (const QChar c : keyword) {
        const char16_t u = c.unicode();
        if (u == 0 || ((u | 0x20) >= u'a' && (u | 0x20) <= u'z')) return false;
    }
    return true;
}

// Text in SQLite's own order, that of UTF-8 bytes: code points, where UTF-16
// would put characters beyond the BMP before U+E000..U+FFFF.
int codePointCompare(QStringView a, QStringView b) {
    auto rank = [](char16_t c) -> uint { return c >= 0xE000 ? c - 0x800u : c >= 0xD800 ? c + 0x2000u : c; };
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x != y) return rank(x) < rank(y) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The rows newest day first, then by number. Sorted here, because SQLite's
// sorter copies whole entries, and to a file once they pass its memory; a
// day or number that is not text or integer (only a damaged table holds one)
// is left to SQLite's own ordering of mixed types.
QList<Row> newestFirst(Database& db, const QString& sql, const QVariantList& params) {
    const Recordset rs = db.query(sql, params);
    for (const QVariantList& r : rs.rows) {
        if (r[0].typeId() != QMetaType::QString || r[1].typeId() != QMetaType::LongLong ||
            r[1].toLongLong() != r[1].toInt())
            return rowsOf(db.query(sql + QStringLiteral(" ORDER BY Day DESC, Number"), params));
    }
    QList<Row> rows = rowsOf(rs);
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int days = codePointCompare(a.day, b.day);
        return days != 0 ? days > 0 : a.number < b.number;
    });
    return rows;
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
    if (keyword.isEmpty() || !html.contains(keyword)) return html;
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
        const QStringView text = QStringView(html).mid(i, textEnd - i);
        qsizetype from = 0;
        for (qsizetype at = text.indexOf(keyword); at >= 0; at = text.indexOf(keyword, from)) {
            out += text.mid(from, at - from);
            out += mark;
            from = at + keyword.size();
        }
        out += text.mid(from);
        i = textEnd;
    }
    return out;
}

QString PointPartsToLog(const QString& html) {
    static const QString parts = QStringLiteral("/RaravParts");
    static const QString logged = QStringLiteral("/RaravLog");
    qsizetype at = html.indexOf(parts);
    if (at < 0) return html;
    QString out;
    qsizetype from = 0;
    for (; at >= 0; at = html.indexOf(parts, at + parts.size())) {
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
    // The list needs the rows in order before the first text is written: they
    // are found and sorted without their texts, and each text is read when
    // its turn comes, so that a word in every entry never has them all in
    // memory. The title, short, is tried first.
    QString sql = QStringLiteral("SELECT Day, Number, Title, Genre, rowid FROM Contents WHERE ");
    QVariantList params;
    if (caseCannotMatter(Keyword)) {
        sql += QStringLiteral("(instr(Title, ?1) > 0 OR instr(Contents, ?1) > 0)");
        params << Keyword;
    } else {
        sql += QStringLiteral("(Title Like ?1 Escape '\\' OR Contents Like ?1 Escape '\\')");
        params << QStringLiteral("%") + Sql::escapeLike(Keyword) + QStringLiteral("%");
    }
    if (UseGenre) {
        sql += QStringLiteral(" AND Genre Like ?2 Escape '\\'");
        params << Sql::escapeLike(Genre);
    }
    // The index only narrows the rows; the conditions above decide.
    const QString match = SearchIndex::matchQuery(Keyword);
    if (!match.isEmpty() && SearchIndex::ready(db)) {
        sql += QStringLiteral(" AND rowid IN (SELECT rowid FROM ContentsPairs WHERE ContentsPairs MATCH ?%1)")
                   .arg(params.size() + 1);
        params << match;
    }
    const ReadSnapshot snapshot(db);
    const QList<Row> rows = newestFirst(db, sql, params);
    const QString textsOfRow = QStringLiteral("SELECT Contents, Extend, Weather FROM Contents WHERE rowid = ?");
    auto inPeriod = [&](const Row& r) {
        if (!UsePeriod) return true;
        const auto d = Dates::parseDay(r.day);
        return d && *d >= from && *d <= to;
    };

    // The page of a word in every entry runs to megabytes.
    PageBytes page;
    writeHead(page, QStringLiteral("検索結果"), s);
    line(page, QStringLiteral("<p>キーワード：%1</p>").arg(Keyword));
    line(page, UsePeriod ? QStringLiteral("<p>期間：%1～%2</p>").arg(FromDay, ToDay) : QString());
    line(page, UseGenre ? QStringLiteral("<p>ジャンル：%1</p><hr>").arg(Genre) : QStringLiteral("<hr>"));
    if (s.useDayList != 0) {
        bool listed = false;
        for (const Row& r : rows) {
            if (!inPeriod(r)) continue;
            listed = true;
            const QString genreMark =
                (s.showGenre != 0 && r.hasGenre) ? QStringLiteral("[%1]　").arg(r.genre) : QString();
            const QString anchor = QStringLiteral("%1_%2").arg(r.day).arg(r.number);
            if (s.addTitle == 1)
                line(page, QStringLiteral("<a href=\"#%1\">%2</a>　%3%4<br>").arg(anchor, r.day, genreMark, r.title));
            else
                line(page, QStringLiteral("<a href=\"#%1\">%2</a>　%3<br>").arg(anchor, r.day, genreMark));
        }
        // Hits that all lie outside the period list nothing either.
        if (!listed) line(page, QStringLiteral("検索結果0件。"));
        line(page, QStringLiteral("</div><hr>\r\n"));
    }

    int count = 0;
    for (Row r : rows) {
        if (!inPeriod(r) || (s.htmlType != 0 && s.htmlType != 1)) continue;
        db.forEach(textsOfRow, {r.rowid}, [&r](const QVariantList& v) {
            r.contents = v[0].toString();
            r.extend = v[1].toString();
            r.weather = v[2].toString();
            r.hasContents = !v[0].isNull();
            r.hasExtend = !v[1].isNull();
            r.hasWeather = !v[2].isNull();
        });
        // A weather word without a picture ("-", an empty or a foreign one)
        // shows no picture, as on the month pages.
        const QString icon = HTML3::weatherIcon(r.weather);
        const bool weatherShown = s.showWeather != 0 && r.hasWeather && !icon.isEmpty();
        const bool genreShown = s.showGenre != 0 && r.hasGenre;
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
    writePage(PagePath, page.take());
    return count;
}

}  // namespace HTML0
