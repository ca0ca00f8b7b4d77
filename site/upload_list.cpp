#include "site/upload_list.h"

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "shell/module5.h"

namespace UploadList {

QString lineOf(const QString& path) { return Module5::GetFolderPath(path) + QLatin1Char(',') + Module5::GetFileName(path); }

void write(const QString& listPath, const QStringList& paths) {
    QString text;
    for (const QString& p : paths) text += lineOf(p) + QLatin1String("\r\n");
    if (!Files::writeText(listPath, text))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(listPath));
}

void remove(const QString& listPath) {
    if (Files::exists(listPath) && !Files::removeFile(listPath))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(listPath));
}

}  // namespace UploadList
