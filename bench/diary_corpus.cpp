#include "bench/diary_corpus.h"

#include "platform/database.h"
#include "platform/dates.h"

#include <QFile>
#include <QRandomGenerator>

void makeDiaryCorpus(const QString& databasePath, const QString& schemaPath, const QDate& first, const QDate& last) {
    QFile schema(schemaPath);
    schema.open(QIODevice::ReadOnly);
    QFile::remove(databasePath);
    Database db(databasePath, Database::Mode::Create);
    db.execScript(QString::fromUtf8(schema.readAll()));

    static const QString sentences[] = {
        QStringLiteral("今日は朝から良い天気で、近所の公園まで散歩に出かけました。"),
        QStringLiteral("昼ご飯は駅前の小さな食堂で焼き魚の定食を食べました。"),
        QStringLiteral("午後は<b>図書館</b>で借りた本を読みながら、のんびり過ごしました。"),
        QStringLiteral("夕方になって少し風が冷たくなり、急いで家に帰りました。"),
        QStringLiteral("夜は友人から電話があり、来月の旅行の相談をしました。<br>"),
        QStringLiteral("明日は早起きして、溜まっている仕事を片付けるつもりです。"),
    };
    static const char16_t* weathers[] = {u"晴", u"曇", u"雨", u"雪", u"雷", u"-"};
    static const char16_t* genres[] = {u"日記", u"仕事", u"旅行", u"読書"};
    QRandomGenerator rng(20050308);
    Transaction t(db);
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        const int count = 1 + int(rng.bounded(3));
        for (int n = 1; n <= count; ++n) {
            QString body;
            while (body.size() < 600) body += sentences[rng.bounded(6)];
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Weather, Genre, "
                                   "PublishTime, Private) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {Dates::dayText(d), n, QStringLiteral("%1月%2日のこと").arg(d.month()).arg(d.day()), body,
                     QString(), QString::fromUtf16(weathers[rng.bounded(6)]),
                     QString::fromUtf16(genres[rng.bounded(4)]), Dates::dayText(d) + QStringLiteral(" 21:00:00"),
                     rng.bounded(10) == 0 ? 1 : 0});
        }
    }
    for (QDate m(first.year(), first.month(), 1); m <= last; m = m.addMonths(1))
        db.exec(QStringLiteral("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)"),
                {Dates::monthText(m), m.toString(QStringLiteral("yyyyMM")) + QStringLiteral(".htm")});
    t.commit();
}
