#pragma once
// Every file and folder below a folder, by its path relative to that folder,
// with the bytes of each file: equal snapshots show that an action left every
// file byte-identical and made none.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

inline QMap<QString, QByteArray> folderSnapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    const QDir top(folder);
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const bool readable = !it.fileInfo().isDir() && f.open(QIODevice::ReadOnly);
        files.insert(top.relativeFilePath(path), readable ? f.readAll() : QByteArray("<folder>"));
    }
    return files;
}
