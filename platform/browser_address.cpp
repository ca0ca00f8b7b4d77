#include "platform/browser_address.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace BrowserAddress {

namespace {

QUrl fileUrl(const QString& path) {
    qsizetype split = -1;
    if (!QFileInfo(path).isFile()) {
        // A file whose name holds "#" is still found; the day anchors that
        // callers append contain "/", so the last "#" is no guide.
        for (qsizetype at = path.indexOf(QLatin1Char('#')); at >= 0; at = path.indexOf(QLatin1Char('#'), at + 1)) {
            if (split < 0) split = at;
            if (QFileInfo(path.left(at)).isFile()) {
                split = at;
                break;
            }
        }
    }
    QUrl url = QUrl::fromLocalFile(split < 0 ? path : path.left(split));
    if (split >= 0) url.setFragment(path.mid(split + 1));
    return url;
}

}  // namespace

QUrl fromTarget(const QString& target) {
    const QString text = target.trimmed();
    if (text.isEmpty()) return QUrl();
    if (text.startsWith(QLatin1Char('/'))) return fileUrl(text);
    static const QRegularExpression withScheme(
        QStringLiteral("^([a-z][a-z0-9+.-]*://|(about|event|mailto|javascript|data):)"),
        QRegularExpression::CaseInsensitiveOption);
    if (withScheme.match(text).hasMatch()) return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromUserInput(text);
}

}  // namespace BrowserAddress
