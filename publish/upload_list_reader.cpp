#include "publish/upload_list_reader.h"

#include "platform/codepage.h"
#include "platform/runtime_error.h"
#include "site/upload_list.h"

#include <QFile>

namespace Publish {

QList<UploadLine> readUploadList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("ファイルが見つかりません。(%1)").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("ファイルを読めません。(%1)").arg(path));
    const QString text = Codepage::decodeFile(bytes);
    QList<UploadLine> lines;
    for (const UploadList::Line& l : UploadList::parse(text, path)) {
        UploadLine item{l.folder, l.name};
        item.folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!item.folder.isEmpty() && !item.folder.endsWith(QLatin1Char('/'))) item.folder += QLatin1Char('/');
        lines << item;
    }
    return lines;
}

bool isEmptyUploadList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError && Codepage::decodeFile(bytes).trimmed().isEmpty();
}

}  // namespace Publish
