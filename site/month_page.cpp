#include "site/month_page.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/leftover_temporaries.h"
#include "platform/profile_cache.h"
#include "platform/runtime_error.h"
#include "platform/side_task.h"
#include "core/addresses.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "site/calendar_table.h"
#include "site/diary_body.h"
#include "site/feed_page.h"
#include "site/frame_pages.h"
#include "site/month_entries.h"
#include "site/month_feeds.h"
#include "site/page_head.h"
#include "site/page_text.h"
#include "site/past_log_list.h"
#include "site/upload_list.h"

#include <optional>
#include <utility>

namespace HTML0 {

namespace {

struct DayListStyle {
    int addTitle, genre, divide, fileName2Day;
    QString type, bodyBaseName;
};

QString dayListLine(const DayListStyle& s, const MonthEntry& e, const DayPageMap& map) {
    const QString anchor = e.anchor();
    QString genre;
    if (s.genre != 0 && !e.genre.isNull())
        genre = QLatin1Char('[') + e.genre.toString() + (s.addTitle == 1 ? QStringLiteral("]　") : QStringLiteral("]"));
    QString link;
    const int page = map[e.dayOfMonth()];
    if (s.divide == 1 && page != 0) {
        if (s.fileName2Day == 1)
            link = QStringLiteral("<a href=\"./") + dayFileStem(e.day) +
                   (s.addTitle == 1 ? QStringLiteral(".htm#") + anchor + QStringLiteral("\">") : QStringLiteral(".htm\">"));
        else
            link = QStringLiteral("<a href=\"./") + s.bodyBaseName + QLatin1Char('_') + twoDigits(page) +
                   QStringLiteral(".htm#") + anchor + QStringLiteral("\">");
    } else {
        link = QStringLiteral("<a href=\"#") + anchor + QStringLiteral("\">");
    }
    const QString title = e.title.toString();
    if (s.type == QLatin1String("List"))
        return link + e.day + QStringLiteral("</a>　") + genre + (s.addTitle == 1 ? title : QString()) +
               QStringLiteral("<br>");
    QString row = QStringLiteral("<TR><TD>") + link + e.day + QStringLiteral("</a></TD><TD>") + genre;
    if (s.addTitle == 1) row += QStringLiteral("</TD><TD>") + title;
    return row + QStringLiteral("</TD></TR>");
}

// A month's pages made in memory, in the order they are written (a failure
// leaves the earlier ones), and the files of its upload list.
struct MonthPages {
    QList<PageOut> pages;
    QStringList written;
};

MonthPages composeMonth(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix, int mode,
                        bool includePrivate, int rssOn, const QString& feedLinkBase) {
    const bool log = mode != CurrentMonth;
    const QString upperBlock = ctx.textBlock("Body", log ? "UpText_Log" : "UpText");
    const QString lowerBlock = ctx.textBlock("Body", log ? "DownText_Log" : "DownText");
    const QString calendarLowerBlock = ctx.textBlock("CalenderWindow", "DownText");
    const QString jsLog = ctx.jsLog();

    const int addTitle = ctx.design("DayList", "AddTitle");
    const int calendarUse = ctx.design("Calender", "Use");
    const int dayListUse = ctx.design("DayList", "Use");
    const int useLog = ctx.design("General", "UseLog");
    const QString titleAlign = ctx.designText("General", "TitleAlign");
    const int marginLeft = ctx.design("DayList", "MarginLeft");
    QString dayListType = ctx.designText("DayList", "Type");
    if (dayListType.isEmpty()) dayListType = QStringLiteral("List");
    const QString hpTitle = ctx.designText("General", "HPTitle");
    const QString styleSheet = ctx.designText("General", "StyleSheetURL");
    const QString headBlock = ctx.textBlock("General", "HeadTag");
    const QString logType = ctx.designText("General", "LogType");
    const int genre = ctx.design("General", "Genre");
    const int productLinkOn = ctx.design("General", "QuillbyLinkOn");
    const QString productLinkText = ctx.designText("General", "QuillbyLinkText");
    const int haloScanOn = ctx.haloScanOn();
    const QString haloScanUser = ctx.haloScanUser();

    int divide = 0, term = 31, onTop = 1;
    if (mode == CurrentMonth || ctx.frame("Divide", "LogDivide") == 1) {
        divide = ctx.frame("Divide", "RaravDivide");
        term = ctx.frame("Divide", "RaravTerm");
        onTop = ctx.frame("Divide", "RaravOnTop");
    }
    // A term of 0 means the whole month; a negative one would map entries
    // to pages that are never written.
    if (term < 1) term = 31;
    const int fileName2Day = divide == 1 && term == 1 ? ctx.frame("Divide", "UseFileName2Day") : 0;
    const bool frames = mode == CurrentMonth && ctx.frame("Frame", "FrameOn") == 1;
    const QString bodyTag = PageHead::bodyTag(ctx);

    const MonthEntries entries = loadMonthEntries(ctx.databasePath, monthPrefix, includePrivate);
    const QStringList days = entryDays(entries);
    const DayPageMap map = buildDayPageMap(days, term, onTop == 1);

    MonthPages made;
    QList<PageOut>& pages = made.pages;
    const QString base = pathBase(pagePath);
    QString bodyFile = pagePath;
    if (frames) {
        pages.append(WriteFrameset(ctx, pagePath, rssOn, feedLinkBase));
        bodyFile = base + QStringLiteral("_D.htm");
    }
    PageOut body{bodyFile, QString()};
    PageOut calendarFrame;
    QString& out = body.text;
    // A month's page runs to some 150K characters: the next one starts in
    // room the size of the last instead of growing to it a doubling at a time.
    thread_local qsizetype lastPageSize = 64 * 1024;
    out.reserve(lastPageSize + lastPageSize / 8);

    line(out, QStringLiteral("<HTML lang=\"ja\">"));
    line(out, QStringLiteral("<HEAD>"));
    line(out, QStringLiteral("<meta http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"));
    line(out, QStringLiteral("<meta name=Generator content=\"Quillby v") + Shell::versionText() + QStringLiteral("\">"));
    line(out, QStringLiteral("<TITLE>") + hpTitle + QStringLiteral("</TITLE>"));
    if (!styleSheet.isEmpty())
        line(out, PageHead::styleSheetLine(styleSheet));
    if (logType == QLatin1String("JavaScript") && !frames) line(out, jsLog);
    if (rssOn == 1) out += feedLinkLines(feedLinkBase);
    if (haloScanOn == 1) line(out, PageHead::commentScriptLine(haloScanUser));
    line(out, headBlock);
    line(out, QStringLiteral("</HEAD>"));
    line(out, bodyTag);
    line(out, QStringLiteral("<!-- 上追加テキスト(ここから) by Quillby -->"));
    line(out, upperBlock);
    line(out, QStringLiteral("<!-- 上追加テキスト(ここまで) by Quillby  -->"));
    const int year = monthPrefix.left(4).toInt();
    const int month = monthPrefix.mid(5, 2).toInt();
    line(out, QStringLiteral("<a name=this_month></a><H3 align=") + titleAlign + QStringLiteral("><a name=TOP>") +
                  QString::number(year) + QStringLiteral("年") + QString::number(month) +
                  QStringLiteral("月分</a></H3>\r\n"));

    if (calendarUse == 1 && (mode == PastLog || !frames)) {
        out += HTML1::WriteCalendar(ctx, bodyFile, year, month, mode, divide, map, QStringLiteral("_self"), entries);
        line(out, QStringLiteral("<BR>"));
    } else if (frames) {
        calendarFrame = WriteCalendarFrameHead(ctx, pagePath, monthPrefix);
        calendarFrame.text +=
            HTML1::WriteCalendar(ctx, pagePath, year, month, 1, divide, map, QStringLiteral("RARAV"), entries);
    }

    if (dayListUse != 0) {
        const DayListStyle style{addTitle, genre, divide, fileName2Day, dayListType, fileBase(bodyFile)};
        line(out, QStringLiteral("<div style=margin-left:") + QString::number(marginLeft) + QStringLiteral("pt>"));
        if (dayListType == QLatin1String("Table")) line(out, QStringLiteral("<TABLE>"));
        for (const MonthEntry& e : entries) line(out, dayListLine(style, e, map));
        if (dayListType == QLatin1String("Table")) line(out, QStringLiteral("</TABLE>"));
        if (entries.isEmpty()) line(out, QStringLiteral("-今月はまだ日記はありません-"));
        line(out, QStringLiteral("</div>\r\n"));
    }

    QList<PageOut> dividedPages;
    if (divide != 1 || onTop == 1) {
        line(out, QStringLiteral("<HR>\r\n"));
        out += HTML3::WriteRaravPage(ctx, bodyFile, divide != 1 ? 0 : divide, HTML3::WriteKind::Append, 0, map, mode,
                                     entries)
                   .text;
    }
    if (divide == 1) {
        for (int n = 1; n <= map.lastPage; ++n)
            dividedPages.append(
                HTML3::WriteRaravPage(ctx, bodyFile, divide, HTML3::WriteKind::New, n, map, mode, entries));
    }

    if (mode == CurrentMonth && useLog == 1) (frames ? calendarFrame.text : out) += HTML2::WriteLogList(ctx);

    if (frames) {
        line(calendarFrame.text, calendarLowerBlock);
        line(calendarFrame.text, QStringLiteral("</BODY>\r\n</HTML>"));
    }

    line(out, QStringLiteral("<!-- 下追加テキスト(ここから) By Quillby -->"));
    line(out, lowerBlock);
    line(out, QStringLiteral("<!-- 下追加テキスト(ここまで) By Quillby -->"));
    if (rssOn == 1)
        line(out, Feeds::PageFeeds{true, feedLinkBase, {}}.footLinks());
    if (haloScanOn == 1)
        line(out, QStringLiteral("<a href=\"") + Addresses::kCommentServiceHome +
                      QStringLiteral("\"><img width=\"88\" height=\"31\" src=\"") + Addresses::kCommentServiceBase +
                      QStringLiteral("/halolink.gif\" border=\"0\" alt=\"") + Addresses::kCommentServiceBadgeText +
                      QStringLiteral("\" /></a>"));
    if (productLinkOn == 1) {
        QString text = productLinkText;
        if (!text.contains(QLatin1Char('#'))) text = QStringLiteral("<p>このサイトは#を使用しています。</p>");
        text.replace(QLatin1Char('#'), QStringLiteral("<a href=\"") + Addresses::kProductLinkPage +
                                           QStringLiteral("\" target=_blank>Quillby</a>"));
        line(out, text);
    }
    line(out, QStringLiteral("</BODY>\r\n</HTML>"));

    lastPageSize = qMax<qsizetype>(64 * 1024, out.size());
    pages.append(body);
    if (frames) pages.append(calendarFrame);
    pages.append(dividedPages);
    QStringList& written = made.written;
    if (rssOn == 1) {
        for (const char* suffix : {"_RSS091.xml", "_RSS100.xml", "_RSS200.xml", "_ATOM.xml"})
            written << PathParts::GetFolderPath(pagePath) + QLatin1Char('/') +
                           PathParts::RemoveExtension(PathParts::GetFileName(pagePath)) + QLatin1String(suffix);
    }
    written << pagePath;
    if (frames) written << bodyFile << calendarFrame.path;
    if (divide == 1 && fileName2Day == 1) {
        for (qsizetype i = onTop == 1 ? 1 : 0; i < days.size(); ++i)
            written << PathParts::GetFolderPath(pagePath) + QLatin1Char('/') + dayFileStem(days[i]) +
                           QStringLiteral(".htm");
    } else if (divide == 1) {
        for (int n = 1; n <= map.lastPage; ++n)
            written << pathBase(bodyFile) + QLatin1Char('_') + twoDigits(n) + QStringLiteral(".htm");
    }
    return made;
}

}  // namespace

void MakeMonthPage(const QString& pagePath, const QString& monthPrefix, int mode, bool writeUploadList,
                   bool includePrivate, const std::function<void()>& meanwhile) {
    MakeMonthPage(SiteContext::fromShell(), pagePath, monthPrefix, mode, writeUploadList, includePrivate, monthFeeds,
                  meanwhile);
}

void MakeMonthPage(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix, int mode,
                   bool writeUploadList, bool includePrivate, const FeedWriter& feeds,
                   const std::function<void()>& meanwhile) {
    // The page, its parts and its feeds take their settings as they stand now.
    ProfileCache::Operation settingsRead;
    const bool log = mode != CurrentMonth;
    const QString uploadListPath = ctx.userPath + (log ? QStringLiteral("uplogtmp.tmp") : QStringLiteral("upload.tmp"));
    // The current month's list is read by the next upload: removed first, it
    // never names pages that a failed generation did not write. A log
    // month's is read only by the log maker, once this call has succeeded.
    if (writeUploadList && !log) UploadList::remove(uploadListPath);
    // A run killed while writing a page left its temporary file beside it;
    // the log folder is cleared once, not again for every month of a run.
    const QString folder = PathParts::GetFolderPath(pagePath);
    if (log)
        LeftoverTemporaries::removeOnce(folder);
    else
        Files::removeLeftoverTemporaries(folder);

    // Feeds first: the pages link them only when they were written, and a
    // feed that fails leaves every page as it was. The page needs of them
    // only what the settings say before any is written, so they are written
    // on a thread of their own while the page is made.
    MonthFeeds monthFeeds;
    if (!log && feeds && IniFile::GetIniInt(ctx.rssIni, QStringLiteral("GENERAL"), QStringLiteral("RSSOn")) == 1)
        monthFeeds = feeds(ctx.rssIni, pagePath);
    std::optional<SideTask> feedsWritten;
    if (monthFeeds.on && monthFeeds.write) feedsWritten.emplace(monthFeeds.write);
    MonthPages made;
    QList<QByteArray> bytes;
    try {
        made = composeMonth(ctx, pagePath, monthPrefix, mode, includePrivate, monthFeeds.on ? 1 : 0,
                            monthFeeds.linkBase);
        // What needs no feed is done while they may still be on their way.
        bytes.reserve(made.pages.size());
        for (PageOut& p : made.pages)
            bytes << Codepage::fromUnicodeCrLf(std::exchange(p.text, QString()), Codepage::Fallback::NumericReference);
        if (meanwhile) meanwhile();
    } catch (...) {
        // The feeds' failure is the one reported, as it would have been
        // before the page was begun.
        if (feedsWritten) feedsWritten->wait();
        throw;
    }
    if (feedsWritten) feedsWritten->wait();
    for (qsizetype i = 0; i < made.pages.size(); ++i) writePage(made.pages[i].path, bytes[i]);

    if (!writeUploadList) return;
    // A log month's list only hands its pages to the log maker, which queues
    // them in a list of its own at once (making them durable first); the
    // current month's is read by the next upload, which must never find it
    // naming a page that a power cut emptied: the pages reach the disk first.
    // The list itself needs no sync of its own: like the pages it is made
    // again by the next save, and one that a power cut emptied is refused by
    // the upload as damaged, never read as naming nothing.
    if (!log && !Files::syncFiles(made.written))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(folder));
    if (log)
        UploadList::handOver(uploadListPath, made.written);
    else
        UploadList::write(uploadListPath, made.written, Files::Sync::None);
}

}  // namespace HTML0
