// Builds a database file from a schema script at build time.
#include "platform/database.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_database SCHEMA.sql OUTPUT\n");
        return 2;
    }
    QFile schema(QString::fromLocal8Bit(argv[1]));
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString temp = out + QStringLiteral(".new");
    QFile::remove(temp);
    try {
        Database db(temp, Database::Mode::Create);
        db.execScript(QString::fromUtf8(schema.readAll()));
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description));
        return 1;
    }
    QFile::remove(out);
    return QFile::rename(temp, out) ? 0 : 1;
}
