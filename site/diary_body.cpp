#include "site/diary_body.h"

#include "platform/runtime_error.h"
#include "core/path_parts.h"
#include "site/page_head.h"

namespace HTML3 {

QString weatherIcon(const QString& weather) {
    static const struct {
        const char16_t* word;
        const char* file;
    } icons[] = {{u"晴", "Shinny.gif"}, {u"曇", "Cloudy.gif"}, {u"雨", "Rainy.gif"},
                 {u"雪", "Snowy.gif"},  {u"雷", "Thunder.gif"}};
    for (const auto& i : icons) {
        if (weather == QString::fromUtf16(i.word)) return QString::fromLatin1(i.file);
    }
    return QString();
}

namespace {

struct BodySettings {
    int htmlType, weather, genre;
    QString dayTitleAlign, titleFT, titleBG, titleSpan, contentsFT, contentsBG, dayContentsAlign;
    int tableBorder, cellspacing, tableWidth;
    QString tableBG, tBorderColor, dayBG, dayFT;
    int pageMoveOn, marginLeft;
    QString align, separator, previousWord, nextWord, topWord;
    int haloScanOn;
    QString haloScanUser, topLink;
    int useFileName2Day = 0;

    BodySettings(const SiteContext& c, int raravDivide) {
        htmlType = c.design("Contents", "HTMLType");
        weather = c.design("General", "Weather");
        genre = c.design("General", "Genre");
        dayTitleAlign = c.designText("General", "DayTitleAlign");
        titleFT = c.designText("Contents", "TitleFTColor");
        titleBG = c.designText("Contents", "TitleBGColor");
        titleSpan = c.designText("Contents", "TitleSpanTag");
        contentsFT = c.designText("Contents", "ContentsFTColor");
        contentsBG = c.designText("Contents", "ContentsBGColor");
        dayContentsAlign = c.designText("Contents", "DayContentsAlign");
        tableBorder = c.design("Contents", "TableBorder");
        tableBG = c.designText("Contents", "TableBGColor");
        cellspacing = c.design("Contents", "Cellspacing");
        tBorderColor = c.designText("Contents", "TBorderColor");
        tableWidth = c.design("Contents", "TableWidth");
        if (tableWidth == 0) tableWidth = 100;
        dayBG = c.designText("Contents", "DayBGColor");
        dayFT = c.designText("Contents", "DayFTColor");
        pageMoveOn = c.design("PageMoveLink", "PageMoveOn");
        align = c.designText("PageMoveLink", "Align");
        if (align.isEmpty()) align = QStringLiteral("Left");
        QString language = c.designText("PageMoveLink", "Language");
        if (language.isEmpty()) language = QStringLiteral("English");
        if (language == QLatin1String("Japanese")) {
            previousWord = QStringLiteral("戻る");
            nextWord = QStringLiteral("次へ");
            topWord = QStringLiteral("先頭へ");
        } else if (language == QLatin1String("English")) {
            previousWord = QStringLiteral("Previous");
            nextWord = QStringLiteral("Next");
            topWord = QStringLiteral("Top");
        }
        separator = c.designText("PageMoveLink", "Separetor");
        marginLeft = c.design("DayList", "MarginLeft");
        haloScanOn = c.haloScanOn();
        haloScanUser = c.haloScanUser();
        if (raravDivide != 0) topLink = c.frameText("Divide", "TopLink");
        if (raravDivide == 1 && c.frame("Divide", "RaravTerm") == 1)
            useFileName2Day = c.frame("Divide", "UseFileName2Day");
    }
};

QString commentLinks(const QString& anchor) {
    QString links = QStringLiteral(
        "<a href=\"javascript:HaloScan('Name');\" target=\"_self\"><script type=\"text/javascript\">"
        "postCount('Name');</script></a> | <a href=\"javascript:HaloScanTB('Name');\" target=\"_self\">"
        "<script type=\"text/javascript\">postCountTB('Name'); </script></a>");
    return links.replace(QLatin1String("Name"), anchor);
}

void headingBlock(QString& out, const BodySettings& s, const MonthEntry& e, const QString& topLink) {
    const QString label = s.genre != 0 && !e.genre.isNull() ? QLatin1Char('[') + e.genre.toString() + QLatin1Char(']')
                                                            : QString();
    const QString icon = s.weather != 0 && !e.weather.isNull() ? weatherIcon(e.weather.toString()) : QString();
    QString title = QStringLiteral("<H3 ALIGN=") + s.dayTitleAlign + QStringLiteral(" STYLE=\"COLOR:") + s.titleFT +
                    QStringLiteral(";BACKGROUND:") + s.titleBG + QStringLiteral("\">") + label +
                    QStringLiteral("<A NAME=\"") + e.anchor() + QStringLiteral("\"><SPAN STYLE=\"") + s.titleSpan +
                    QStringLiteral("\">") + e.title.toString() + QStringLiteral("</SPAN>(") + e.day +
                    QStringLiteral(")</A>");
    if (!icon.isEmpty()) title += QStringLiteral("<IMG SRC=\"./RaravParts/") + icon + QStringLiteral("\">");
    line(out, title + QStringLiteral("</H3>"));
    line(out, QStringLiteral("<DIV STYLE=\"COLOR:") + s.contentsFT + QStringLiteral(";BACKGROUND:") + s.contentsBG +
                  QStringLiteral("\" align=") + s.dayContentsAlign + QStringLiteral(">"));
    line(out, QStringLiteral("<!--[Contents]--><br>"));
    line(out, e.contents.toString());
    if (!e.extend.isNull()) {
        line(out, QStringLiteral("<!--[extend]--><br>"));
        line(out, e.extend.toString());
    } else {
        line(out, QString());
    }
    if (s.haloScanOn == 1) line(out, commentLinks(e.anchor()));
    line(out, QStringLiteral("</DIV>"));
    line(out, topLink);
}

void tableBlock(QString& out, const BodySettings& s, const MonthEntry& e, const QString& topLink) {
    int columns = 2;
    QString genreCell, weatherCell;
    if (s.genre != 0 && !e.genre.isNull()) {
        genreCell = QStringLiteral("<TD ALIGN=RIGHT BGCOLOR=") + s.dayBG + QStringLiteral("><FONT COLOR=") + s.dayFT +
                    QStringLiteral("><NOBR>[") + e.genre.toString() + QStringLiteral("]</NOBR></FONT></TD>");
        ++columns;
    }
    const QString icon = s.weather != 0 && !e.weather.isNull() ? weatherIcon(e.weather.toString()) : QString();
    if (!icon.isEmpty()) {
        weatherCell = QStringLiteral("<TD width=16pt BGCOLOR=") + s.dayBG + QStringLiteral("><IMG SRC=\"./RaravParts/") +
                      icon + QStringLiteral("\"></TD>");
        ++columns;
    }
    line(out, QStringLiteral("<DIV ALIGN=") + s.dayContentsAlign + QStringLiteral(">"));
    line(out, QStringLiteral("<TABLE BORDER=") + QString::number(s.tableBorder) + QStringLiteral(" BGCOLOR=\"") +
                  s.tableBG + QStringLiteral("\" CELLSPACING=") + QString::number(s.cellspacing) +
                  QStringLiteral(" BORDERCOLOR=") + s.tBorderColor + QStringLiteral(" width=") +
                  QString::number(s.tableWidth) + QStringLiteral("%>"));
    line(out, QStringLiteral("<TR><TD ALIGN=") + s.dayTitleAlign + QStringLiteral(" BGCOLOR=") + s.titleBG +
                  QStringLiteral(" WIDTH=100%><A NAME=\"") + e.anchor() + QStringLiteral("\"><FONT COLOR=") +
                  s.titleFT + QStringLiteral("><SPAN STYLE=\"") + s.titleSpan + QStringLiteral("\">") +
                  e.title.toString() + QStringLiteral("</SPAN></A></FONT></TD>") + genreCell +
                  QStringLiteral("<TD ALIGN=RIGHT BGCOLOR=") + s.dayBG + QStringLiteral("><FONT COLOR=") + s.dayFT +
                  QStringLiteral(">") + e.day + QStringLiteral("</FONT></TD>") + weatherCell + QStringLiteral("</TR>"));
    line(out, QStringLiteral("<TR><TD COLSPAN=%1 BGCOLOR=").arg(columns) + s.contentsBG +
                  QStringLiteral("><FONT COLOR=") + s.contentsFT + QStringLiteral("><!--[Contents]--><br>") +
                  e.contents.toString());
    if (!e.extend.isNull())
        line(out, QStringLiteral("\r\n<!--[extend]--><br>") + e.extend.toString() + QStringLiteral("</FONT></TD></TR>"));
    else
        line(out, QStringLiteral("</FONT></TD></TR>"));
    if (s.haloScanOn == 1)
        line(out, QStringLiteral("<TR><TD ALIGN=CENTER COLSPAN=%1 BGCOLOR=").arg(columns) + s.contentsBG +
                      QStringLiteral(">") + commentLinks(e.anchor()) + QStringLiteral("</TD></TR>"));
    line(out, QStringLiteral("</TABLE></DIV>"));
    line(out, topLink + QStringLiteral("<BR>"));
}

// The first entry's day on the given page, "" when the page holds none.
QString firstDayOnPage(const MonthEntries& entries, const DayPageMap& map, int page) {
    for (const MonthEntry& e : entries) {
        if (map[e.dayOfMonth()] == page) return e.day;
    }
    return QString();
}

QString pageLink(const QString& href, const QString& word) {
    return QStringLiteral("<A HREF=\"./") + href + QStringLiteral("\">") + word + QStringLiteral("</A>");
}

void pageMoveBlock(QString& out, const BodySettings& s, const QString& baseName, int pageNumber, int raravDivide,
                   const DayPageMap& map, const MonthEntries& entries) {
    line(out, QStringLiteral("<div align=") + s.align + QStringLiteral(" style=margin-left:") +
                  QString::number(s.marginLeft) + QStringLiteral("pt>"));
    if (pageNumber == 1) {
        line(out, pageLink(baseName + QStringLiteral(".htm"), s.previousWord));
    } else if (pageNumber >= 2) {
        if (s.useFileName2Day == 1) {
            const QString day = firstDayOnPage(entries, map, pageNumber - 1);
            if (!day.isEmpty()) line(out, pageLink(dayFileStem(day) + QStringLiteral(".htm"), s.previousWord));
        } else {
            line(out, pageLink(baseName + QLatin1Char('_') + twoDigits(pageNumber - 1) + QStringLiteral(".htm"),
                               s.previousWord));
        }
    }
    // The oldest day lies on the highest page. Without division the map's
    // page numbers mean nothing: no page beyond the top one is written.
    int lastPage = 0;
    if (raravDivide != 0) {
        for (int d = 1; d <= 31; ++d) {
            if (map[d] != -1) {
                lastPage = map[d];
                break;
            }
        }
    }
    if (pageNumber != 0) line(out, s.separator);
    if (pageNumber == lastPage) {
        line(out, pageLink(baseName + QStringLiteral(".htm"), s.topWord));
    } else if (s.useFileName2Day == 1) {
        const QString day = firstDayOnPage(entries, map, pageNumber + 1);
        if (!day.isEmpty()) line(out, pageLink(dayFileStem(day) + QStringLiteral(".htm"), s.nextWord));
    } else {
        line(out, pageLink(baseName + QLatin1Char('_') + twoDigits(pageNumber + 1) + QStringLiteral(".htm"),
                           s.nextWord));
    }
    line(out, QStringLiteral("</DIV>"));
}

}  // namespace

PageOut WriteRaravPage(const SiteContext& ctx, const QString& pagePath, int raravDivide, WriteKind kind,
                       int pageNumber, const DayPageMap& map, int mode, const MonthEntries& entries) {
    const BodySettings s(ctx, raravDivide);
    QString topLink;
    if (raravDivide != 0 && s.topLink == QLatin1String("TopPage") && pageNumber >= 1)
        topLink = QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"./") + PathParts::GetFileName(pagePath) +
                  QStringLiteral("#TOP\">top of month</A></DIV>");
    else if (raravDivide != 0 && s.topLink != QLatin1String("TopPage"))
        topLink = QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"#TOP\">top</A></DIV>");
    else
        topLink = QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"#this_month\">top</A></DIV>");
    const QString baseName = fileBase(pagePath);

    PageOut page;
    page.path = pagePath;
    QString& out = page.text;
    if (kind == WriteKind::New && pageNumber >= 1) {
        if (s.useFileName2Day == 1) {
            const QString day = firstDayOnPage(entries, map, pageNumber);
            if (day.isEmpty())
                throw RuntimeError(52, QStringLiteral("ファイル名または番号が不正です。(%1)").arg(pageNumber));
            page.path = PathParts::GetFolderPath(pagePath) + QLatin1Char('/') + dayFileStem(day) + QStringLiteral(".htm");
        } else {
            page.path = pathBase(pagePath) + QLatin1Char('_') + twoDigits(pageNumber) + QStringLiteral(".htm");
        }
    }

    const bool log = mode != 1;
    if (kind == WriteKind::New) {
        line(out, QStringLiteral("<HTML lang=\"ja\"><HEAD>"));
        line(out, QStringLiteral("<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"));
        line(out, QStringLiteral("<meta name=Generator content=\"Quillby\">"));
        line(out, QStringLiteral("<TITLE>") + ctx.designText("General", "HPTitle") + QStringLiteral("</TITLE>"));
        const QString styleSheet = ctx.designText("General", "StyleSheetURL");
        if (!styleSheet.isEmpty())
            line(out, PageHead::styleSheetLine(styleSheet));
        if (s.haloScanOn == 1) line(out, PageHead::commentScriptLine(s.haloScanUser));
        line(out, ctx.textBlock("General", log ? "HeadTag_Div_Log" : "HeadTag_Div"));
        line(out, QStringLiteral("</HEAD>"));
        line(out, PageHead::bodyTag(ctx));
        line(out, ctx.textBlock("Body", log ? "UpText_Div_Log" : "UpText_Div"));
    }

    if (s.htmlType == 0 || s.htmlType == 1) {
        for (const MonthEntry& e : entries) {
            line(out, QStringLiteral("<A Name=\"") + e.day + QStringLiteral("\"></A>"));
            if (raravDivide != 0 && map[e.dayOfMonth()] != pageNumber) continue;
            if (s.htmlType == 0) headingBlock(out, s, e, topLink);
            else tableBlock(out, s, e, topLink);
        }
    }
    if (s.pageMoveOn == 1) pageMoveBlock(out, s, baseName, pageNumber, raravDivide, map, entries);

    if (kind == WriteKind::New) {
        line(out, ctx.textBlock("Body", log ? "DownText_Div_Log" : "DownText_Div"));
        line(out, QStringLiteral("</BODY></HTML>"));
    }
    return page;
}

}  // namespace HTML3
