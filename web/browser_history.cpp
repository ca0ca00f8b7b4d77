#include "web/browser_history.h"

#include "platform/files.h"

namespace BrowserHistory {

QStringList load(const QString& path, int limit) {
    if (!Files::exists(path)) return {};
    QStringList lines = Files::toLf(Files::readText(path)).split(QLatin1Char('\n'));
    // The last line break ends the last entry; it does not start an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() > limit) lines = lines.mid(0, limit);
    return lines;
}

bool save(const QString& path, const QStringList& entries) {
    if (entries.isEmpty()) return true;
    return Files::writeText(path, entries.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

bool appendUnique(QStringList& entries, const QString& text) {
    if (text.isEmpty() || entries.contains(text, Qt::CaseSensitive)) return false;
    entries.append(text);
    return true;
}

}  // namespace BrowserHistory
