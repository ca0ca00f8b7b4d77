#include "site/page_text.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/path_parts.h"

void writePage(const QString& path, const QString& text) {
    writePage(path, Codepage::fromUnicodeCrLf(text, Codepage::Fallback::NumericReference));
}

void writePage(const QString& path, const QByteArray& bytes) {
    if (Files::writeAtomic(path, bytes, Files::Sync::None)) return;
    // A missing folder keeps the message it has always had; anything else (a
    // full disk, a folder without write permission) is said as it is.
    if (!Files::isFolder(PathParts::GetFolderPath(path)))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(path));
    throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("ページを書き込めませんでした。(%1)\n%2")
                                                          .arg(path, Files::lastWriteError()));
}

void PageBytes::line(const QString& text) {
    constexpr qsizetype kPiece = 64 * 1024;
    pending_ += text;
    pending_ += QLatin1String("\r\n");
    if (pending_.size() >= kPiece) encodePending();
}

void PageBytes::encodePending() {
    Codepage::appendCrLf(bytes_, pending_, Codepage::Fallback::NumericReference);
    pending_.resize(0);  // keeps its room for the next piece
}

QByteArray PageBytes::take() {
    encodePending();
    return std::move(bytes_);
}

QString pathBase(const QString& path) { return PathParts::RemoveExtension(path); }

QString fileBase(const QString& path) { return PathParts::RemoveExtension(PathParts::GetFileName(path)); }

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString dayFileStem(const QString& day) {
    QString s = day;
    return s.replace(QLatin1Char('/'), QLatin1Char('_'));
}
