#include "tests/publish/publish_fixture.h"

#include "platform/files.h"
#include "core/shared_state.h"

#include <QDir>

void PublishFixture::SetUp() {
    makeDatabase(databasePath());
    Database db(databasePath());
    db.exec(QStringLiteral("DELETE FROM FileDB"));
    QDir().mkpath(dataPath() + QStringLiteral("RaravParts"));
    QDir().mkpath(dataPath() + QStringLiteral("RaravLog"));
    Shell::SharedState& s = Shell::state();
    s.UserPath = userPath();
    s.DataPath = dataPath();
    s.FilePath = sitePath();
    s.FileName = QStringLiteral("index.htm");
    s.RaravIniFile = iniFile();
    s.EnterDay = QStringLiteral("2006/05/10");
    Shell::hooks().setStatusText = [this](const QString& t) { statuses << t; };
}

void PublishFixture::TearDown() { Shell::hooks() = Shell::MainWindowHooks(); }

qint64 PublishFixture::addPart(const QString& name, const QString& day, int number, bool uploaded, bool logged) {
    Database db(databasePath());
    db.exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES (?, ?, ?, ?, ?)"),
            {name, day, number, uploaded ? 1 : 0, logged ? 1 : 0});
    return db.lastInsertId();
}

QList<QVariantList> PublishFixture::fileRows(const QString& columns) {
    Database db(databasePath());
    return db.query(QStringLiteral("SELECT %1 FROM FileDB ORDER BY FileID").arg(columns)).rows;
}

QString PublishFixture::page(const QString& folder, const QString& name, const QString& body) {
    QDir().mkpath(folder);
    Files::writeText(folder + name, body, true);
    return listLine(folder, name);
}

QString PublishFixture::listLine(const QString& folder, const QString& name) {
    QString f = folder;
    if (f.endsWith(QLatin1Char('/'))) f.chop(1);
    return f + QLatin1Char(',') + name;
}

void PublishFixture::writeList(const QString& name, const QStringList& lines) {
    Files::writeText(userPath() + name, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

Publish::UploadServices PublishFixture::services() {
    Publish::UploadServices s;
    s.setStatusText = [this](const QString& t) { statuses << t; };
    s.setBusyPointer = [this](bool on) { pointers << on; };
    return s;
}
