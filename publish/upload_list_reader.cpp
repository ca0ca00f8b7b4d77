#include "publish/upload_list_reader.h"

#include "platform/codepage.h"
#include "platform/runtime_error.h"

#include <QFile>

namespace Publish {

namespace {
QString unquoted(QString field) {
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return field;
}
}  // namespace

QList<UploadLine> readUploadList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("ファイルが見つかりません。(%1)").arg(path));
    QList<UploadLine> lines;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        QString line = Codepage::toUnicode(raw);
        while (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        // The first comma ends the folder; the rest of the line is the name,
        // so a name holding a comma survives.
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        UploadLine item;
        if (comma < 0) {
            item.name = unquoted(line);
        } else {
            item.folder = unquoted(line.left(comma));
            item.name = unquoted(line.mid(comma + 1));
        }
        item.folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!item.folder.isEmpty() && !item.folder.endsWith(QLatin1Char('/'))) item.folder += QLatin1Char('/');
        lines << item;
    }
    return lines;
}

}  // namespace Publish
