#include "bench/diary_site.h"

#include "bench/diary_corpus.h"
#include "platform/files.h"

#include <QFile>

namespace DiarySite {

Shell::SharedState stateAt(const QString& root) {
    Shell::SharedState s;
    const QString r = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    s.DataPath = r + QStringLiteral("data/");
    s.UserPath = r + QStringLiteral("user/");
    s.MyPath = r + QStringLiteral("prog/");
    s.FilePath = r + QStringLiteral("site/");
    s.FileName = QStringLiteral("index.htm");
    s.CustIniFile = s.DataPath + QStringLiteral("Customize/Customize.ini");
    s.FrameIniFile = s.DataPath + QStringLiteral("Frame.ini");
    s.RSSIniFile = s.DataPath + QStringLiteral("RSS.ini");
    s.HaloScanIniFile = s.DataPath + QStringLiteral("HaloScan.ini");
    s.RaravIniFile = s.UserPath + QStringLiteral("rarav.ini");
    s.Today = s.EnterDay = QStringLiteral("2024/12/31");
    return s;
}

Shell::SharedState make(const QString& root, int years) {
    const QString r = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    for (const char* f : {"data/Customize", "data/RaravParts", "data/RaravLog", "user", "prog", "site"})
        Files::makeFolder(r + QLatin1String(f));
    const Shell::SharedState s = stateAt(root);
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/Customize.ini"), s.CustIniFile);
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/JS_Log.txt"), s.MyPath + QStringLiteral("JS_Log.txt"));
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT_RSS.ini"), s.MyPath + QStringLiteral("HTML2TXT_RSS.ini"));
    for (const char* gif : {"Shinny.gif", "Cloudy.gif", "Rainy.gif", "Thunder.gif", "Snowy.gif"})
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/") + QLatin1String(gif),
                    s.DataPath + QStringLiteral("RaravParts/") + QLatin1String(gif));
    Files::writeText(s.FrameIniFile, QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=7\nRaravOnTop=1\n"));
    Files::writeText(s.RSSIniFile, QStringLiteral("[GENERAL]\nRSSOn=1\n[Setting]\nTitle=日記\n"
                                                  "HPURL=http://example.jp/\nRaravURL=http://example.jp/diary/\n"
                                                  "Description=毎日の日記です。\n[RSS2.0]\nManagingAuthor=me@example.jp\n"
                                                  "WebMaster=me@example.jp\n[ATOM]\nAuthor=わたし\n"));
    makeDiaryCorpus(s.databasePath(), QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"),
                    QDate(kLastDay.year() - years + 1, 1, 1), kLastDay);
    return s;
}

QList<QDate> months(int years) {
    QList<QDate> list;
    for (QDate m(kLastDay.year() - years + 1, 1, 1); m <= kLastDay; m = m.addMonths(1)) list << m;
    return list;
}

}  // namespace DiarySite
