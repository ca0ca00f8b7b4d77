#pragma once
// Where each feed item points: the page of the site that carries the entry,
// with the entry's day as anchor.
#include "site/month_entries.h"

#include <QString>
#include <QStringList>

namespace FeedUrls {

// How the public site spreads a month over pages.
struct Division {
    bool divided = false;        // Frame.ini [Divide] RaravDivide = 1
    bool onTop = true;           // the newest days stay on the main page
    int term = 31;               // days per page
    bool fileNameToDay = false;  // with one day per page, pages named by day
    bool frameOn = false;        // Frame.ini [Frame] FrameOn = 1
};
// The settings of Frame.ini; onTop, term and fileNameToDay are only read when
// the month is divided (and fileNameToDay only with one day per page).
Division readDivision(const QString& frameIniFile);

// The address before its last "." (the base of the site's page names), and
// the address up to and including its last "/". An address without a file
// name ("http://host/diary/") is taken as the folder that holds the page
// named pageBaseName ("index" for index.htm).
QString baseOf(const QString& url, const QString& pageBaseName);
QString folderOf(const QString& url);

// The page address of an entry of day, with "#" and the day behind it.
QString itemUrl(const QString& raravUrl, const QString& pageBaseName, const QString& day, const Division& division,
                const DayPageMap& pages);

}  // namespace FeedUrls
