#pragma once
// The feed writer: the four feeds (RSS 0.91, RSS 1.0, RSS 2.0, Atom 0.3) of
// a generated page, written beside it in UTF-8, each with at most ten public
// entries of the newest month that has public entries.
#include "platform/database.h"
#include "site/feed_urls.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the writer reads besides RSS.ini.
struct FeedContext {
    QString databasePath;      // the user's rarav.mdb
    QString frameIniFile;      // page division and frames of the site
    QString converterIniFile;  // rules of the summaries, HTML2TXT_RSS.ini
    // The main window's shared state.
    static FeedContext fromShell();
};

class clsRSSreader {
public:
    explicit clsRSSreader(FeedContext context = FeedContext::fromShell());

    // True only when the file exists and its RaravURL is not empty.
    bool Initialize(const QString& IniFilePath);
    // The feeds are named after the page: its path without extension plus
    // the suffixes.
    void SetFilePath(const QString& FileFullPath);
    QString GetRaravURL() const { return RaravURL; }
    // RaravURL before its last ".": the published feeds are this plus the
    // suffixes.
    QString feedLinkBase() const;
    // Rewrites the four files, each replaced whole. With no public entry the
    // feeds hold their channel and no item. Throws RuntimeError when the
    // database or a file fails.
    void MakeRSS();
    // MakeRSS in two steps: the entries read from the database (and how
    // Frame.ini divides the site), then the feeds made of them at `now` by
    // program `version`. The second reads HTML2TXT_RSS.ini but no clock and
    // no state of the main window, so another thread may run it.
    void ReadEntries();
    void WriteFeeds(const QDateTime& now, const QString& version) const;

    static const QStringList& suffixes();  // "_RSS091.xml", "_RSS100.xml", "_RSS200.xml", "_ATOM.xml"
    static constexpr int ItemLimit = 10;

private:
    QString pageBaseName() const;

    FeedContext context_;
    QString FeedBasePath;
    QString NewestDay;
    QString Title, HPURL, RaravURL, Description, ManagingAuthor, WebMaster, Author;
    // What ReadEntries read for WriteFeeds.
    Recordset rows_;
    FeedUrls::Division division_;
    DayPageMap pages_;
};
