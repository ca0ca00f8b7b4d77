#pragma once
// The list of files a generation wrote, which the upload reads: one line
// "folder,file name" per file, the folder without its trailing "/".
#include <QString>
#include <QStringList>

namespace UploadList {

QString lineOf(const QString& path);
// Replaces the list whole. Throws RuntimeError when it cannot be written.
void write(const QString& listPath, const QStringList& paths);
// Removes a list left by an earlier call, so a generation that fails never
// leaves a list naming pages it did not write. Throws when it stays.
void remove(const QString& listPath);

}  // namespace UploadList
