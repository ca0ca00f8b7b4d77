#pragma once
// A small site for the generator's tests: data, user, program and site
// folders, a database from the shipped schema, and settings written as INI
// text. Pages are read back decoded, as lists of lines.
#include "platform/codepage.h"
#include "platform/database.h"
#include "platform/files.h"
#include "site/design_settings.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QStringList>

class SiteFixture : public ::testing::Test {
protected:
    TempFolder tmp;
    SiteContext ctx;
    QString site;  // the site folder, with "/"

    void SetUp() override {
        for (const char* f : {"data/Customize", "user", "prog", "site"}) Files::makeFolder(tmp.file(QLatin1String(f)));
        ctx.dataPath = tmp.file(QStringLiteral("data/"));
        ctx.userPath = tmp.file(QStringLiteral("user/"));
        ctx.myPath = tmp.file(QStringLiteral("prog/"));
        ctx.custIni = ctx.dataPath + QStringLiteral("Customize/Customize.ini");
        ctx.frameIni = ctx.dataPath + QStringLiteral("Frame.ini");
        ctx.rssIni = ctx.dataPath + QStringLiteral("RSS.ini");
        ctx.haloScanIni = ctx.dataPath + QStringLiteral("HaloScan.ini");
        ctx.databasePath = makeDatabase(ctx.userPath + QStringLiteral("rarav.mdb"));
        site = tmp.file(QStringLiteral("site/"));
    }

    void design(const QString& ini) { Files::writeText(ctx.custIni, ini); }
    void frame(const QString& ini) { Files::writeText(ctx.frameIni, ini); }
    void sql(const QString& script) { Database(ctx.databasePath).execScript(script); }

    // An entry; null columns are given as nullptr.
    void entry(const char* day, int number, const char* title, const char* weather = "晴",
               const char* genre = "日記", int isPrivate = 0, const char* contents = "本文", const char* extend = nullptr) {
        auto v = [](const char* s) { return s ? QVariant(QString::fromUtf8(s)) : QVariant(); };
        Database(ctx.databasePath)
            .exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Weather, Genre, Private) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                  {QString::fromUtf8(day), number, v(title), v(contents), v(extend), v(weather), v(genre), isPrivate});
    }

    static QStringList linesOf(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("<missing ") + path + QLatin1Char('>')};
        QStringList lines = Codepage::decodeFile(f.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    static QStringList linesOfText(const QString& text) {
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    // The lines of a page between the first line equal to from and the next
    // line equal to to, both included.
    static QStringList slice(const QStringList& lines, const QString& from, const QString& to) {
        const qsizetype a = lines.indexOf(from);
        if (a < 0) return {QStringLiteral("<no ") + from + QLatin1Char('>')};
        const qsizetype b = lines.indexOf(to, a + 1);
        return lines.mid(a, b < 0 ? -1 : b - a + 1);
    }
};

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline QStringList L(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines) out << QString::fromUtf8(l);
    return out;
}
