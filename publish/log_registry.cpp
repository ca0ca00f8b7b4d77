#include "publish/log_registry.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/upload_list_reader.h"
#include "core/file_names.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "site/upload_list.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Publish {

namespace {

const QString kLogTitle = QStringLiteral("Resist Log Files");
const QString kFilesTitle = QStringLiteral("Resist Files");

QString siteLog() {
    QString site = Shell::state().FilePath;
    if (!site.endsWith(QLatin1Char('/'))) site += QLatin1Char('/');
    return site + QStringLiteral("RaravLog");
}
QString dataLog() { return Shell::state().DataPath + QStringLiteral("RaravLog"); }

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

void copyInto(const QString& source, const QString& folder, const QString& name) {
    if (!QFileInfo(source).isFile())
        throw RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("ファイルが見つかりません。\r\n") + source);
    // The site folder has no log folder until a first log is made.
    if (!Files::makeFolder(folder) || !Files::copyFile(source, folder + QLatin1Char('/') + name))
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           QStringLiteral("ファイルをコピーできません。\r\n") + folder + QLatin1Char('/') + name);
}

void removeCopy(const QString& path) {
    if (QFileInfo(path).isFile())
        Files::removeFile(path);
    else
        Prompts::MsgBox(QStringLiteral("ファイルがありませんでした。"), Prompts::vbInformation, kFilesTitle);
}

// A page gone from the data folder no longer waits for the upload, which
// refuses to run while a page it lists is missing.
void dropFromPendingUpload(const QString& page) {
    const QString list = Shell::state().UserPath + QStringLiteral("uploadlog.tmp");
    if (QFileInfo::exists(page) || !QFileInfo::exists(list)) return;
    QList<UploadLine> lines;
    try {
        lines = readUploadList(list);
    } catch (const RuntimeError&) {
        return;  // a damaged list is the upload's to report
    }
    QStringList kept;
    for (const UploadLine& line : lines)
        if (QDir::cleanPath(line.localPath()) != QDir::cleanPath(page)) kept << line.localPath();
    if (kept.size() == lines.size()) return;
    if (kept.isEmpty())
        UploadList::remove(list);
    else
        UploadList::write(list, kept);
}

}  // namespace

QString LogRegistration::line() const { return LogMonth + QStringLiteral(" : ") + LogFileName; }

QString checkLogYear(const QString& text) {
    static const QRegularExpression numeric(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!numeric.match(t).hasMatch()) return QStringLiteral("不正な文字が入力されました。半角数字を入力してください。");
    if (t.toDouble() < 0) return QStringLiteral("不正な文字が入力されました。半角で西暦を入力してください。");
    if (text.size() < 4) return QStringLiteral("不正な文字が入力されました。半角で4桁の西暦を入力してください。");
    return QString();
}

void ResistLogFile(const QString& iptFileFullPath, const QString& ResistYear, const QString& ResistMonth) {
    using namespace Prompts;
    if (ResistYear.isEmpty() || iptFileFullPath.isEmpty() || ResistMonth.isEmpty()) return;
    const QString month = ResistMonth.size() == 1 ? QLatin1Char('0') + ResistMonth : ResistMonth;
    const QString folder = PathParts::GetFolderPath(iptFileFullPath);
    const QString name = PathParts::GetFileName(iptFileFullPath);
    if (const QString refused = FileNames::remoteNameRefusal(name); !refused.isEmpty())
        throw RuntimeError(ErrorNumber::InvalidArgument, refused);
    const bool fromSite = sameFolder(folder, siteLog());
    const bool fromData = sameFolder(folder, dataLog());

    Database db(Shell::state().databasePath());
    const bool known =
        db.scalar(QStringLiteral("SELECT Count(*) FROM LogDB WHERE LogFileName = ?"), {name}).toInt() > 0;
    if (!known) {
        if (!fromSite) copyInto(iptFileFullPath, siteLog(), name);
        if (!fromData) copyInto(iptFileFullPath, dataLog(), name);
        db.exec(QStringLiteral("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)"),
                {ResistYear + QLatin1Char('/') + month, name});
        return;
    }
    if (MsgBox(QStringLiteral("すでに登録済みのファイルです。\r\n上書きしますか？"), vbYesNo, kLogTitle) != vbYes) return;
    if (fromData) {
        MsgBox(QStringLiteral("同じフォルダの同じファイルを指定しました。\r\nコピーできません。"), vbInformation, kFilesTitle);
        return;
    }
    copyInto(iptFileFullPath, dataLog(), name);
    if (!fromSite) copyInto(iptFileFullPath, siteLog(), name);
}

QList<LogRegistration> logRegistrations() {
    Database db(Shell::state().databasePath(), Database::Mode::ReadOnly);
    const Recordset rs = db.query(QStringLiteral("SELECT LogMonth, LogFileName FROM LogDB ORDER BY LogMonth DESC"));
    QList<LogRegistration> list;
    for (qsizetype r = 0; r < rs.size(); ++r)
        list.append({rs.text(r, QStringLiteral("LogMonth")), rs.text(r, QStringLiteral("LogFileName"))});
    return list;
}

void removeLogRegistration(const QString& LogFileName) {
    using namespace Prompts;
    if (MsgBox(QStringLiteral("本当に削除しますか？"), vbYesNo, kLogTitle) != vbYes) return;
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("DELETE FROM LogDB WHERE rowid = (SELECT rowid FROM LogDB WHERE LogFileName = ? LIMIT 1)"),
                {LogFileName});
    }
    // A name another program wrote as a path has no copy in the log folders.
    if (!FileNames::refusal(LogFileName, dataLog()).isEmpty()) return;
    if (MsgBox(QStringLiteral("ファイルも削除しますか？"), vbYesNo, kFilesTitle) != vbYes) return;
    if (MsgBox(QStringLiteral("本当に削除しますか？"), vbYesNo, kFilesTitle) != vbYes) return;
    removeCopy(dataLog() + QLatin1Char('/') + LogFileName);
    removeCopy(siteLog() + QLatin1Char('/') + LogFileName);
    dropFromPendingUpload(dataLog() + QLatin1Char('/') + LogFileName);
}

}  // namespace Publish
