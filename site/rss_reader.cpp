#include "site/rss_reader.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/dates.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "site/feed_documents.h"
#include "site/feed_text.h"
#include "site/feed_urls.h"
#include "site/html2text.h"

#include <QFileInfo>

FeedContext FeedContext::fromShell() {
    const Shell::SharedState& s = Shell::state();
    return {s.databasePath(), s.FrameIniFile, s.MyPath + QStringLiteral("HTML2TXT_RSS.ini")};
}

clsRSSreader::clsRSSreader(FeedContext context) : context_(std::move(context)) {}

const QStringList& clsRSSreader::suffixes() {
    static const QStringList list = {QStringLiteral("_RSS091.xml"), QStringLiteral("_RSS100.xml"),
                                     QStringLiteral("_RSS200.xml"), QStringLiteral("_ATOM.xml")};
    return list;
}

bool clsRSSreader::Initialize(const QString& IniFilePath) {
    if (IniFilePath.isEmpty() || !QFileInfo(IniFilePath).isFile()) return false;
    const QString setting = QStringLiteral("Setting");
    Title = IniFile::GetIniString(IniFilePath, setting, QStringLiteral("Title"), QStringLiteral("日記"));
    HPURL = IniFile::GetIniString(IniFilePath, setting, QStringLiteral("HPURL"));
    RaravURL = IniFile::GetIniString(IniFilePath, setting, QStringLiteral("RaravURL"));
    Description = IniFile::GetIniString(IniFilePath, setting, QStringLiteral("Description"), QStringLiteral("日記です。"));
    ManagingAuthor = IniFile::GetIniString(IniFilePath, QStringLiteral("RSS2.0"), QStringLiteral("ManagingAuthor"));
    WebMaster = IniFile::GetIniString(IniFilePath, QStringLiteral("RSS2.0"), QStringLiteral("WebMaster"));
    Author = IniFile::GetIniString(IniFilePath, QStringLiteral("ATOM"), QStringLiteral("Author"));
    return !RaravURL.isEmpty();
}

void clsRSSreader::SetFilePath(const QString& FileFullPath) {
    const qsizetype dot = FileFullPath.lastIndexOf(QLatin1Char('.'));
    FeedBasePath = dot > FileFullPath.lastIndexOf(QLatin1Char('/')) ? FileFullPath.left(dot) : FileFullPath;
}

QString clsRSSreader::pageBaseName() const { return PathParts::GetFileName(FeedBasePath); }

QString clsRSSreader::feedLinkBase() const { return FeedUrls::baseOf(RaravURL, pageBaseName()); }

namespace {

// The summaries need rules even when the shipped rules file is missing or
// unreadable: the converter's own defaults keep the feeds valid then.
clsHTML2TEXT feedConverter(const QString& rulesFile) {
    clsHTML2TEXT converter;
    try {
        if (converter.Initialize(rulesFile)) return converter;
    } catch (const RuntimeError&) {
    }
    converter = clsHTML2TEXT();
    converter.LoadDefaults();
    return converter;
}

void writeFeedFile(const QString& path, const QString& document) {
    if (Files::writeAtomic(path, FeedText::ToUTF8Bytes(document), Files::Sync::None)) return;
    const QString folder = PathParts::GetFolderPath(path);
    if (!folder.isEmpty() && !Files::isFolder(folder)) {
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(path));
    }
    throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(path));
}

}  // namespace

void clsRSSreader::MakeRSS() {
    ReadEntries();
    WriteFeeds(Clock::now(), Shell::versionText());
}

void clsRSSreader::ReadEntries() {
    rows_ = Recordset();
    division_ = FeedUrls::Division();
    pages_ = DayPageMap();
    Database db(context_.databasePath, Database::Mode::ReadOnly);
    // Only a day that begins with its month can lead to it: one stored in
    // another form ("2006/5/3" sorts after every "2006/0..") would pick a
    // month that holds no entry, and the feeds would lose every item.
    NewestDay = db.scalar(QStringLiteral("SELECT Max(Day) AS NewestDay FROM Contents WHERE Private = 0"
                                         " AND Day GLOB '[0-9][0-9][0-9][0-9]/[0-9][0-9]/*'"))
                    .toString();
    if (NewestDay.isEmpty()) return;
    const QVariantList month = Sql::monthBounds(NewestDay.left(7));
    rows_ = db.query(QStringLiteral("SELECT Day, Number, Title, Contents, Genre, PublishTime FROM Contents"
                                    " WHERE Day >= ? AND Day < ? AND Private = 0 ORDER BY Day DESC, Number DESC LIMIT ?"),
                     month + QVariantList{ItemLimit});
    division_ = FeedUrls::readDivision(context_.frameIniFile);
    if (division_.divided) {
        const Recordset days = db.query(QStringLiteral("SELECT Day FROM Contents WHERE Day >= ? AND Day < ? AND Private = 0"
                                                       " GROUP BY Day ORDER BY Day DESC"),
                                        month);
        QStringList newestFirst;
        for (qsizetype i = 0; i < days.size(); ++i) newestFirst << days.text(i, QStringLiteral("Day"));
        pages_ = buildDayPageMap(newestFirst, division_.term, division_.onTop);
    }
}

void clsRSSreader::WriteFeeds(const QDateTime& now, const QString& version) const {
    const FeedChannel channel{Title, HPURL, RaravURL, Description, ManagingAuthor, WebMaster, Author};
    QList<FeedItem> items;
    if (!rows_.isEmpty()) {
        const clsHTML2TEXT converter = feedConverter(context_.converterIniFile);
        const Dates::ZoneReading zone;
        items.reserve(rows_.size());
        for (qsizetype i = 0; i < rows_.size(); ++i) {
            FeedItem item;
            item.day = rows_.text(i, QStringLiteral("Day"));
            item.number = rows_.integer(i, QStringLiteral("Number"));
            item.title = rows_.text(i, QStringLiteral("Title"));
            item.contents = rows_.text(i, QStringLiteral("Contents"));
            item.genre = rows_.text(i, QStringLiteral("Genre"));
            item.published = FeedText::publishTimeOf(rows_.text(i, QStringLiteral("PublishTime")), item.day);
            item.address = FeedUrls::itemUrl(RaravURL, pageBaseName(), item.day, division_, pages_) + QLatin1Char('_') +
                           QString::number(item.number);
            item.summary = FeedText::summaryText(converter, item.contents);
            items << item;
        }
    }

    const QStringList& s = suffixes();
    writeFeedFile(FeedBasePath + s[0], FeedDocuments::rss091(channel, items, now));
    writeFeedFile(FeedBasePath + s[1], FeedDocuments::rss100(channel, items));
    writeFeedFile(FeedBasePath + s[2], FeedDocuments::rss200(channel, items, now, version));
    writeFeedFile(FeedBasePath + s[3], FeedDocuments::atom03(channel, items, now, version));
}
