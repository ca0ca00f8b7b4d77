#include "site/upload_list.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/path_parts.h"

#include <QFileInfo>
#include <QSet>

namespace UploadList {

namespace {

bool needsQuotes(const QString& field) {
    for (const QChar c : field)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') return true;
    return !field.isEmpty() && (field.front().isSpace() || field.back().isSpace());
}

QString quoted(QString field) { return QLatin1Char('"') + field.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

RuntimeError damaged(const QString& listPath) {
    return RuntimeError(ErrorNumber::TypeMismatch,
                        QStringLiteral("アップロードするファイルのリストが読めません。(%1)").arg(listPath));
}

// One quoted field from pos, which is at its opening quote; pos ends after
// the closing quote.
bool readQuoted(const QString& text, qsizetype& pos, QString& field) {
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != u'"') {
            field += text[pos];
        } else if (pos + 1 < text.size() && text[pos + 1] == u'"') {
            field += u'"';
            ++pos;
        } else {
            ++pos;
            return true;
        }
    }
    return false;
}

QString unquoted(QString field) {
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return field;
}

Line plainLine(const QString& line) {
    // A name never holds a "/", so only a comma after the last one can end
    // the folder; of several, the one whose file exists wins.
    const qsizetype slash = qMax(line.lastIndexOf(u'/'), line.lastIndexOf(u'\\'));
    const qsizetype first = line.indexOf(u',', slash + 1);
    if (first < 0) {
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0) return {QString(), unquoted(line)};
        return {unquoted(line.left(comma)), unquoted(line.mid(comma + 1))};
    }
    for (qsizetype c = line.indexOf(u',', first + 1) < 0 ? -1 : first; c >= 0; c = line.indexOf(u',', c + 1)) {
        const Line candidate{unquoted(line.left(c)), unquoted(line.mid(c + 1))};
        if (QFileInfo(candidate.folder + QLatin1Char('/') + candidate.name).isFile()) return candidate;
    }
    return {unquoted(line.left(first)), unquoted(line.mid(first + 1))};
}

RuntimeError notWritten(const QString& listPath) {
    return RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("アップロードするファイルの一覧を書き込めませんでした。(%1)\n%2")
                                                           .arg(listPath, Files::lastWriteError()));
}

// A whole list replaced by write() or handOver() that cannot be written.
RuntimeError pathNotFound(const QString& listPath) {
    return RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(listPath));
}

}  // namespace

QString lineOf(const QString& path) {
    const QString folder = PathParts::GetFolderPath(path);
    const QString name = PathParts::GetFileName(path);
    if (needsQuotes(folder) || needsQuotes(name)) return quoted(folder) + QLatin1Char(',') + quoted(name);
    return folder + QLatin1Char(',') + name;
}

QList<Line> parse(const QString& text, const QString& listPath) {
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (text[pos] == u'"') {
            Line l;
            if (!readQuoted(text, pos, l.folder)) throw damaged(listPath);
            if (pos >= text.size() || text[pos] != u',') throw damaged(listPath);
            ++pos;
            if (pos < text.size() && text[pos] == u'"' && !readQuoted(text, pos, l.name)) throw damaged(listPath);
            const qsizetype end = text.indexOf(u'\n', pos);
            const QString rest = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
            // An old list may quote the folder alone.
            if (!rest.isEmpty()) {
                if (!l.name.isEmpty()) throw damaged(listPath);
                l.name = unquoted(rest);
            }
            pos = end < 0 ? text.size() : end + 1;
            lines << l;
            continue;
        }
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0) end = text.size();
        QString line = text.mid(pos, end - pos);
        pos = end + 1;
        while (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (!line.trimmed().isEmpty()) lines << plainLine(line);
    }
    if (lines.isEmpty()) throw damaged(listPath);
    return lines;
}

namespace {

QByteArray wholeList(const QStringList& paths) {
    QString text;
    for (const QString& p : paths) text += lineOf(p) + QLatin1String("\r\n");
    // Written as it stands: a line break inside a quoted name is part of it.
    return Codepage::encodeFile(text);
}

}  // namespace

void write(const QString& listPath, const QStringList& paths, Files::Sync sync) {
    if (!Files::writeAtomic(listPath, wholeList(paths), sync)) throw pathNotFound(listPath);
}

void handOver(const QString& listPath, const QStringList& paths) {
    if (!Files::overwrite(listPath, wholeList(paths))) throw pathNotFound(listPath);
}

Appending appending(const QString& listPath, const QStringList& paths) {
    QByteArray old;
    // Through a symbolic link: one to a file not made yet is a list not
    // there yet (QFile's own look counts the link).
    if (Files::exists(listPath) && !Files::readFile(listPath, old))
        throw RuntimeError(ErrorNumber::PermissionDenied, listPath);
    const QString text = Codepage::decodeFile(old);
    QSet<QString> waiting;
    for (const QString& l : text.split(QLatin1Char('\n'))) waiting.insert(l.trimmed());
    QString added;
    for (const QString& path : paths) {
        const QString entry = lineOf(path);
        if (waiting.contains(entry)) continue;
        waiting.insert(entry);
        added += entry + QStringLiteral("\r\n");
    }
    if (added.isEmpty()) return {};
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) added.prepend(QStringLiteral("\r\n"));
    if (!old.isEmpty()) {
        bool fits = true;
        const QByteArray bytes =
            Codepage::hasByteOrderMark(old) ? added.toUtf8() : Codepage::fromUnicode(added, Codepage::Fallback::Question, &fits);
        if (fits) return {bytes, false};
    }
    return {Codepage::encodeFile(text + added), true};
}

void write(const QString& listPath, const Appending& change) {
    if (change.bytes.isEmpty()) return;
    if (!(change.whole ? Files::writeAtomic(listPath, change.bytes) : Files::appendSynced(listPath, change.bytes)))
        throw notWritten(listPath);
}

void append(const QString& listPath, const QStringList& paths) { write(listPath, appending(listPath, paths)); }

void remove(const QString& listPath) {
    if (Files::exists(listPath) && !Files::removeFile(listPath))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(listPath));
}

}  // namespace UploadList
