#include "site/frame_pages.h"

#include "core/path_parts.h"
#include "site/feed_page.h"

namespace HTML0 {

QString feedLinkLines(const QString& base) {
    QString out;
    for (const QString& link : Feeds::PageFeeds{true, base, {}}.headLinks()) line(out, link);
    return out;
}

PageOut WriteFrameset(const SiteContext& ctx, const QString& pagePath, int rssOn, const QString& feedLinkBase) {
    auto word = [](int value, const char* zero, const char* one) {
        return QString::fromLatin1(value == 0 ? zero : value == 1 ? one : "");
    };
    const QString border = word(ctx.frame("Frame", "Border"), "NO", "YES");
    const QString scrolling = word(ctx.frame("Frame", "Scrolling"), "NO", "YES");
    const QString resize = word(ctx.frame("Frame", "Resize"), "NORESIZE", "RESIZE");
    const QString size = ctx.frameText("Frame", "CalenderFrameSize");
    const QString base = fileBase(pagePath);

    PageOut page{pagePath, QString()};
    QString& out = page.text;
    line(out, QStringLiteral("<HTML lang=\"ja\">"));
    line(out, QStringLiteral("<HEAD>"));
    line(out, QStringLiteral("<TITLE>") + ctx.designText("General", "HPTitle") + QStringLiteral("</TITLE>"));
    // The feed links stand before the frameset: a parser drops anything
    // after the frames, and the feeds would not be found.
    if (rssOn == 1) out += feedLinkLines(feedLinkBase);
    line(out, QStringLiteral("<FRAMESET COLS=") + size + QStringLiteral(",* FRAMEBORDER=\"") + border +
                  QStringLiteral("\">"));
    line(out, QStringLiteral("<FRAME SRC=\"./") + base + QStringLiteral("_C.htm\" Name=\"CALENDER\" Scrolling=\"") +
                  scrolling + QStringLiteral("\" ") + resize + QStringLiteral(">"));
    line(out, QStringLiteral("<FRAME SRC=\"./") + base + QStringLiteral("_D.htm\" Name=\"RARAV\">"));
    line(out, QStringLiteral("</HEAD></HTML>"));
    return page;
}

PageOut WriteCalendarFrameHead(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix) {
    PageOut page{pathBase(pagePath) + QStringLiteral("_C.htm"), QString()};
    QString& out = page.text;
    line(out, QStringLiteral("<HTML lang=\"ja\">"));
    line(out, QStringLiteral("<HEAD>"));
    line(out, QStringLiteral("<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"));
    line(out, QStringLiteral("<TITLE>") + ctx.designText("General", "HPTitle") + QStringLiteral("-CalenderFrame-</TITLE>"));
    if (ctx.designText("General", "LogType") == QLatin1String("JavaScript")) line(out, ctx.jsLog());
    line(out, ctx.textBlock("CalenderWindow", "HeadTag"));
    line(out, QStringLiteral("</HEAD>"));
    line(out, QStringLiteral("<BODY TEXT=\"") + ctx.designText("CalenderWindow", "TextColor") +
                  QStringLiteral("\" BGColor=\"") + ctx.designText("CalenderWindow", "BGColor") +
                  QStringLiteral("\" background=\"") + ctx.designText("CalenderWindow", "BGImage") +
                  QStringLiteral("\">"));
    line(out, ctx.textBlock("CalenderWindow", "UpText"));
    line(out, QStringLiteral("<div align=center>") + QString::number(monthPrefix.left(4).toInt()) +
                  QStringLiteral("年") + QString::number(monthPrefix.mid(5, 2).toInt()) + QStringLiteral("月</div>"));
    return page;
}

}  // namespace HTML0
