#include "bench/corpus.h"

#include "platform/database.h"
#include "platform/dates.h"

#include <QFile>
#include <QRandomGenerator>

namespace Corpus {

QString makeDiary(const QString& folder, const Shape& shape) {
    const QString path = folder + QStringLiteral("/rarav.mdb");
    QFile::remove(path);
    QFile schema(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
    schema.open(QIODevice::ReadOnly);
    Database db(path, Database::Mode::Create);
    db.execScript(QString::fromUtf8(schema.readAll()));

    QRandomGenerator random(20241210);
    const QStringList words = {QStringLiteral("今日は"), QStringLiteral("散歩"), QStringLiteral("天気"),
                               QStringLiteral("<b>晴れ</b>"), QStringLiteral("写真"), QStringLiteral("ランチ"),
                               QStringLiteral("<br>\r\n"), QStringLiteral("仕事"), QStringLiteral("友人と"),
                               QStringLiteral("<img src=\"./RaravParts/p.jpg\">"), QStringLiteral("読書")};
    const QStringList weathers = {QStringLiteral("晴"), QStringLiteral("曇"), QStringLiteral("雨"), QStringLiteral("-")};
    Transaction tx(db);
    const QDate first(2015, 1, 1);
    for (QDate d = first; d < first.addYears(shape.years); d = d.addDays(1)) {
        for (int n = 1; n <= shape.entriesPerDay; ++n) {
            QString body;
            while (body.size() < shape.bodyChars) body += words[random.bounded(words.size())];
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Weather, Genre, "
                                   "PublishTime, Private) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {Dates::dayText(d), n, QStringLiteral("%1の日記 %2").arg(Dates::dayText(d)).arg(n), body,
                     (random.bounded(4) == 0) ? QStringLiteral("続きの文章") : QString(),
                     weathers[random.bounded(weathers.size())], QStringLiteral("一般"),
                     Dates::dayText(d) + QStringLiteral(" 21:00:00"), random.bounded(20) == 0});
        }
    }
    tx.commit();
    return path;
}

}  // namespace Corpus
