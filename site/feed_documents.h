#pragma once
// The text of the four feed documents: RSS 0.91, RSS 1.0, RSS 2.0 and Atom
// 0.3. Every value is escaped here; lines end in CR LF.
#include <QDateTime>
#include <QList>
#include <QString>

struct FeedChannel {
    QString Title, HPURL, RaravURL, Description;
    QString ManagingAuthor, WebMaster;  // RSS 2.0
    QString Author;                     // Atom
};

struct FeedItem {
    QString day;  // "yyyy/mm/dd"
    int number = 1;
    QString title, contents, genre;
    QDateTime published;  // local time of the last save
    QString address;      // page address, "#", day, "_", number
    QString summary;      // converted body on one line, whole and unescaped
};

namespace FeedDocuments {

QString rss091(const FeedChannel& channel, const QList<FeedItem>& items, const QDateTime& now);
QString rss100(const FeedChannel& channel, const QList<FeedItem>& items);
QString rss200(const FeedChannel& channel, const QList<FeedItem>& items, const QDateTime& now, const QString& version);
QString atom03(const FeedChannel& channel, const QList<FeedItem>& items, const QDateTime& now, const QString& version);

}  // namespace FeedDocuments
