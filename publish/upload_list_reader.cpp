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
    // A list that CP932 cannot hold is UTF-8 after a byte-order mark.
    static const QByteArray bom("\xEF\xBB\xBF");
    const QString text = bytes.startsWith(bom) ? QString::fromUtf8(bytes.mid(bom.size())) : Codepage::toUnicode(bytes);
    QList<UploadLine> lines;
    for (const UploadList::Line& l : UploadList::parse(text, path)) {
        UploadLine item{l.folder, l.name};
        item.folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!item.folder.isEmpty() && !item.folder.endsWith(QLatin1Char('/'))) item.folder += QLatin1Char('/');
        lines << item;
    }
    return lines;
}

}  // namespace Publish
