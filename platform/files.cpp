#include "platform/files.h"

#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

namespace Files {

bool writeAtomic(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QString toCrLf(const QString& text) {
    QString t = toLf(text);
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

QString toLf(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

bool writeText(const QString& path, const QString& text, bool asHtml) {
    return writeAtomic(path, Codepage::fromUnicode(toCrLf(text), asHtml ? Codepage::Fallback::NumericReference
                                                                       : Codepage::Fallback::Question));
}

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return Codepage::toUnicode(f.readAll());
}

bool exists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool makeFolder(const QString& path) {
    if (path.isEmpty()) return false;
    return QDir().mkpath(path) && isFolder(path);
}

bool copyFile(const QString& from, const QString& to) {
    QFile src(from);
    if (!src.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = src.readAll();
    if (src.error() != QFile::NoError) return false;
    if (!writeAtomic(to, bytes)) return false;
    // Keep the source's date, as a Windows copy does: the blog-description
    // refresh compares dates after copying.
    QFile dst(to);
    if (dst.open(QIODevice::ReadWrite))
        dst.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
    return true;
}

bool removeFile(const QString& path) { return QFile::remove(path); }

QStringList listFiles(const QString& folder, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (re.match(name).hasMatch()) names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

}  // namespace Files
