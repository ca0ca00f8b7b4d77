// A whole site, current month with feeds and two past-log months, written
// from a fixed database and settings, byte for byte as the committed copy in
// golden_site/. Set RARAV_WRITE_GOLDEN=1 to write that copy afresh (only on
// purpose: it is the proof that pages do not change).
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "publish/log_maker.h"
#include "publish/site_save.h"
#include "site/month_page.h"
#include "tests/site/site_fixture.h"
#include "tests/support/time_zone.h"

#include <QDir>
#include <QDirIterator>

namespace {

const QString kGolden = QStringLiteral(RARAV_SOURCE_DIR "/tests/publish/golden_site/");

class GoldenSite : public SiteFixture {
protected:
    // The committed feeds were written with times in UTC: they carry its offset.
    ScopedTimeZone utc{"UTC"};
    Shell::SharedState saved;
    void SetUp() override {
        SiteFixture::SetUp();
        saved = Shell::state();
        Clock::set(QDateTime(QDate(2005, 3, 31), QTime(22, 15, 30)));
        Shell::SharedState& s = Shell::state();
        s.DataPath = ctx.dataPath;
        s.UserPath = ctx.userPath;
        s.MyPath = ctx.myPath;
        s.CustIniFile = ctx.custIni;
        s.FrameIniFile = ctx.frameIni;
        s.RSSIniFile = ctx.rssIni;
        s.HaloScanIniFile = ctx.haloScanIni;
        s.RaravIniFile = ctx.userPath + QStringLiteral("rarav.ini");
        s.FilePath = site;
        s.FileName = QStringLiteral("index.htm");
        s.Today = QStringLiteral("2005/03/31");
        s.EnterDay = QStringLiteral("2005/03/31");
    }
    void TearDown() override {
        Shell::state() = saved;
        Clock::reset();
    }
};

// The files under folder, relative, sorted.
QStringList filesUnder(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST_F(GoldenSite, PagesFeedsAndListsMatchTheCommittedCopy) {
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/Customize.ini"), ctx.custIni);
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT_RSS.ini"), ctx.myPath + QStringLiteral("HTML2TXT_RSS.ini"));
    QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/JS_Log.txt"), ctx.myPath + QStringLiteral("JS_Log.txt"));
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=3\nRaravOnTop=1\n"));
    Files::writeText(ctx.rssIni, QStringLiteral("[GENERAL]\nRSSOn=1\n[Setting]\nTitle=日記帳\nHPURL=http://example.jp/\n"
                                                "RaravURL=http://example.jp/diary/\nDescription=毎日の記録です。\n"
                                                "[RSS2.0]\nManagingAuthor=me@example.jp\nWebMaster=me@example.jp\n"
                                                "[ATOM]\nAuthor=日記の主\n"));
    Files::writeText(ctx.dataPath + QStringLiteral("Customize/default_up.htm"), QStringLiteral("<p>ようこそ</p>\n"));
    const char* bodies[] = {"今日は<b>晴れ</b>。公園まで散歩した。", "雨なので家で読書。<br>静かな一日。",
                            "仕事が忙しい &amp; 疲れた。", "ＡＢＣと全角の文字、～と−も書く。"};
    const char* genres[] = {"日記", "仕事", "旅行", nullptr};
    const char* weathers[] = {"晴", "曇", "雨", "-"};
    int n = 0;
    for (int month = 1; month <= 3; ++month) {
        for (int day = 1; day <= 28; day += 3) {
            const QByteArray d = QStringLiteral("2005/%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0')).toUtf8();
            const int count = 1 + n % 2;
            for (int number = 1; number <= count; ++number, ++n) {
                const QByteArray title = QStringLiteral("%1月%2日の%3").arg(month).arg(day).arg(number).toUtf8();
                entry(d.constData(), number, title.constData(), weathers[n % 4], genres[n % 4], n % 7 == 3 ? 1 : 0,
                      bodies[n % 4], n % 5 == 0 ? "続きの文章。" : nullptr);
            }
        }
    }
    sql(QStringLiteral("DELETE FROM FileDB;"
                       "INSERT INTO FileDB (FileName, Day, Number) VALUES ('jan.png', '2005/01/04', 1);"
                       "INSERT INTO FileDB (FileName, Day, Number) VALUES ('march.png', '2005/03/10', 1);"
                       "INSERT INTO FileDB (FileName, Day, Number) VALUES ('style.css', 'ALL', 0);"));
    for (const char* f : {"jan.png", "march.png", "style.css"})
        tmp.write(QStringLiteral("data/RaravParts/") + QLatin1String(f), QByteArray("part ") + f);

    SiteSave::SaveHTMLFiles(Shell::state());
    const Publish::MonthPageWriter writer = [](const QString& path, const QString& month, int mode, bool list,
                                               bool withPrivate) {
        HTML0::MakeMonthPage(path, month, mode, list, withPrivate);
    };
    Publish::makeLog(QStringLiteral("2005"), QStringLiteral("1"), writer);
    Publish::makeLog(QStringLiteral("2005"), QStringLiteral("2"), writer);

    // Lists name files by their full paths: the temporary folder is made
    // "ROOT/" so that the copy holds anywhere. A list's encoding follows its
    // text, and the temporary folder's path may hold characters CP932 lacks,
    // so the list is written again in the encoding its text gets with "ROOT/",
    // once it is seen to be in the encoding its own text asks for.
    QMap<QString, QByteArray> made;
    for (const QString& folder : {QStringLiteral("site/"), QStringLiteral("data/RaravLog/")})
        for (const QString& name : filesUnder(tmp.file(folder))) made[folder + name] = bytesOf(tmp.file(folder + name));
    for (const char* list : {"upload.tmp", "uplogtmp.tmp", "uploadlog.tmp"}) {
        const QByteArray bytes = bytesOf(tmp.file(QStringLiteral("user/") + QLatin1String(list)));
        const QString text = Codepage::decodeFile(bytes);
        EXPECT_EQ(bytes, Codepage::encodeFile(text)) << list;
        made[QStringLiteral("user/") + QLatin1String(list)] =
            Codepage::encodeFile(QString(text).replace(tmp.path(), QStringLiteral("ROOT/")));
    }

    if (qEnvironmentVariableIsSet("RARAV_WRITE_GOLDEN")) {
        QDir(kGolden).removeRecursively();
        for (auto it = made.begin(); it != made.end(); ++it) {
            QDir().mkpath(QFileInfo(kGolden + it.key()).path());
            QFile f(kGolden + it.key());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(it.value());
        }
    }
    EXPECT_EQ(QStringList(made.keys()), filesUnder(kGolden));
    for (auto it = made.begin(); it != made.end(); ++it)
        EXPECT_TRUE(it.value() == bytesOf(kGolden + it.key())) << it.key().toStdString();
}
