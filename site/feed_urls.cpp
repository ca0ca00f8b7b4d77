#include "site/feed_urls.h"

#include "core/ini_file.h"

namespace FeedUrls {

Division readDivision(const QString& frameIniFile) {
    Division d;
    const QString divide = QStringLiteral("Divide");
    d.divided = IniFile::GetIniInt(frameIniFile, divide, QStringLiteral("RaravDivide")) == 1;
    d.frameOn = IniFile::GetIniInt(frameIniFile, QStringLiteral("Frame"), QStringLiteral("FrameOn")) == 1;
    if (d.divided) {
        d.onTop = IniFile::GetIniInt(frameIniFile, divide, QStringLiteral("RaravOnTop")) == 1;
        d.term = IniFile::GetIniInt(frameIniFile, divide, QStringLiteral("RaravTerm"));
        if (d.term <= 0) d.term = 31;
        if (d.term == 1) d.fileNameToDay = IniFile::GetIniInt(frameIniFile, divide, QStringLiteral("UseFileName2Day")) == 1;
    }
    return d;
}

namespace {

// Where the path of an address starts: after "scheme://host", or at 0.
qsizetype pathStart(const QString& url) {
    const qsizetype scheme = url.indexOf(QStringLiteral("://"));
    if (scheme < 0) return 0;
    const qsizetype slash = url.indexOf(QLatin1Char('/'), scheme + 3);
    return slash < 0 ? url.size() : slash;
}

}  // namespace

QString baseOf(const QString& url, const QString& pageBaseName) {
    const qsizetype path = pathStart(url);
    const qsizetype slash = url.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = url.lastIndexOf(QLatin1Char('.'));
    if (dot >= path && dot > slash) return url.left(dot);
    // The address of a folder, whose index the server shows: the page lies in
    // it under its own name.
    return folderOf(url) + pageBaseName;
}

QString folderOf(const QString& url) {
    if (pathStart(url) >= url.size() && url.contains(QStringLiteral("://"))) return url + QLatin1Char('/');
    return url.left(url.lastIndexOf(QLatin1Char('/')) + 1);
}

QString itemUrl(const QString& raravUrl, const QString& pageBaseName, const QString& day, const Division& division,
                const DayPageMap& pages) {
    const QString anchor = QLatin1Char('#') + day;
    const int dayOfMonth = day.right(2).toInt();
    const int page = division.divided && dayOfMonth >= 1 && dayOfMonth <= 31 ? pages[dayOfMonth] : 0;
    if (page <= 0) {
        return division.frameOn ? baseOf(raravUrl, pageBaseName) + QStringLiteral("_D.htm") + anchor : raravUrl + anchor;
    }
    if (division.fileNameToDay) {
        const QString dayName = QString(day).replace(QLatin1Char('/'), QLatin1Char('_'));
        return folderOf(raravUrl) + dayName + QStringLiteral(".htm") + anchor;
    }
    const QString number = QStringLiteral("%1").arg(page, 2, 10, QLatin1Char('0'));
    return baseOf(raravUrl, pageBaseName) + (division.frameOn ? QStringLiteral("_D_") : QStringLiteral("_")) + number +
           QStringLiteral(".htm") + anchor;
}

}  // namespace FeedUrls
