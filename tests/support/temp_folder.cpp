#include "tests/support/temp_folder.h"

#include "platform/codepage.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder() { dir_.setAutoRemove(true); }

QString TempFolder::path() const { return dir_.path() + QLatin1Char('/'); }

QString TempFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return full;
}

QString TempFolder::writeText(const QString& name, const QString& text) const {
    return write(name, Codepage::encodeFile(Files::toCrLf(text)));
}

QByteArray TempFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString copyProgramFolder(const QString& target) {
    ProgramFolder::seedMissing(QStringLiteral(RARAV_BUILD_BIN), target);
    for (const QString& exe : {QStringLiteral("Rarav"), QStringLiteral("QuillbyUpdater")})
        QFile::remove(ProgramFolder::withSlash(target) + exe);
    return ProgramFolder::withSlash(target);
}

QString makeDatabase(const QString& path) {
    QFile schema(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
    schema.open(QIODevice::ReadOnly);
    Database db(path, Database::Mode::Create);
    db.execScript(QString::fromUtf8(schema.readAll()));
    return path;
}
