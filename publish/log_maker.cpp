#include "publish/log_maker.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/profile_cache.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/upload_list_reader.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "site/upload_list.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Publish {

namespace {

void copyReplacing(const QString& from, const QString& to, Files::Sync sync = Files::Sync::ToDisk) {
    if (!Files::copyFile(from, to, sync))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("ファイルをコピーできません。\r\n") + to);
}

void makeFolder(const QString& path) {
    if (!Files::makeFolder(path))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("フォルダを作成できません。\r\n") + path);
}

}  // namespace

QString checkLogMonth(const QString& year, const QString& month) {
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    static const QRegularExpression monthDigits(QStringLiteral("^\\d{1,2}$"));
    const QString y = year.trimmed();
    const QString m = month.trimmed();
    if (!fourDigits.match(y).hasMatch() || y.toInt() < 1)
        return QStringLiteral("年は半角数字4桁の西暦で入力してください。");
    if (!monthDigits.match(m).hasMatch() || m.toInt() < 1 || m.toInt() > 12)
        return QStringLiteral("月は1から12の半角数字で入力してください。");
    return QString();
}

bool IsFileUsedElsewhere(const QString& FileName) {
    Database db(Shell::state().databasePath(), Database::Mode::ReadOnly);
    const int count =
        db.scalar(QStringLiteral("SELECT Count(FileID) FROM FileDB WHERE FileName = ? AND Logged = 0"), {FileName}).toInt();
    return count != 1;
}

LogMade makeLog(const QString& year, const QString& month, const MonthPageWriter& MakeMonthPage) {
    const QString problem = checkLogMonth(year, month);
    if (!problem.isEmpty()) throw RuntimeError(ErrorNumber::InvalidArgument, problem);
    ProfileCache::Operation settingsRead;
    const Shell::SharedState& state = Shell::state();
    const QString dataLog = state.DataPath + QStringLiteral("RaravLog/");
    QString sitePath = state.FilePath;
    if (!sitePath.endsWith(QLatin1Char('/'))) sitePath += QLatin1Char('/');
    const QString siteLog = sitePath + QStringLiteral("RaravLog/");
    makeFolder(siteLog);
    makeFolder(dataLog);

    const QString Y = year.trimmed();
    const QString M = month.trimmed().rightJustified(2, QLatin1Char('0'));
    LogMade made{Y + QLatin1Char('/') + M, Y + M + QStringLiteral(".htm")};

    MakeMonthPage(dataLog + made.LogFileName, made.LogMonth, 2, true, false);
    const QList<UploadLine> written = readUploadList(state.UserPath + QStringLiteral("uplogtmp.tmp"));
    Files::removeLeftoverTemporaries(siteLog);
    for (const UploadLine& line : written)
        if (QFileInfo(line.localPath()).isFile()) copyReplacing(line.localPath(), siteLog + line.name, Files::Sync::None);
    // A page already waiting for the upload is not listed twice: a month
    // made again before an upload would otherwise be sent twice over.
    QStringList writtenPaths;
    for (const UploadLine& line : written) writtenPaths << line.localPath();
    // The queued pages reach the disk before the list that names them, so
    // that a power cut never leaves it naming an emptied page.
    if (!Files::syncFiles(writtenPaths))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。\r\n") + dataLog);
    UploadList::append(state.UserPath + QStringLiteral("uploadlog.tmp"), writtenPaths);

    const QString parts = state.DataPath + QStringLiteral("RaravParts/");
    const QString siteLogParts = siteLog + QStringLiteral("RaravParts/");
    const QString dataLogParts = dataLog + QStringLiteral("RaravParts/");
    makeFolder(siteLogParts);
    makeFolder(dataLogParts);

    const int days = QDate(Y.toInt(), M.toInt(), 1).daysInMonth();
    Database db(state.databasePath());
    const Recordset monthRows = db.query(
        QStringLiteral("SELECT FileID, FileName FROM FileDB WHERE Day BETWEEN ? AND ? AND Logged = 0"),
        {made.LogMonth + QStringLiteral("/01"), made.LogMonth + QStringLiteral("/%1").arg(days, 2, 10, QLatin1Char('0'))});
    for (qsizetype r = 0; r < monthRows.size(); ++r) {
        const QString name = IniFile::TrimNull(monthRows.text(r, QStringLiteral("FileName")));
        if (!QFileInfo(parts + name).isFile()) {
            Prompts::MsgBox(M + QStringLiteral("月分として登録されたファイル[") + name +
                                QStringLiteral("]が見つかりません。\r\n[UserData\\RaravParts]フォルダに該当ファイルをコピーして、再度ログ化して下さい。"),
                            Prompts::vbCritical);
            continue;
        }
        copyReplacing(parts + name, siteLogParts + name);
        copyReplacing(parts + name, dataLogParts + name);
        if (IsFileUsedElsewhere(name)) continue;
        // The row first: should it fail, the file is still where the row
        // says it is.
        db.exec(QStringLiteral("UPDATE FileDB SET Logged = 1, Uploaded = 0 WHERE FileID = ?"),
                {monthRows.value(r, QStringLiteral("FileID"))});
        Files::removeFile(parts + name);
    }

    const Recordset everyPage = db.query(QStringLiteral("SELECT FileName FROM FileDB WHERE Day = 'ALL'"));
    for (qsizetype r = 0; r < everyPage.size(); ++r) {
        const QString name = IniFile::TrimNull(everyPage.text(r, QStringLiteral("FileName")));
        if (!QFileInfo(parts + name).isFile()) continue;
        if (!Files::sameBytes(parts + name, dataLogParts + name)) copyReplacing(parts + name, dataLogParts + name);
        if (!Files::sameBytes(parts + name, siteLogParts + name)) copyReplacing(parts + name, siteLogParts + name);
    }

    if (!db.scalar(QStringLiteral("SELECT 1 FROM LogDB WHERE LogMonth = ?"), {made.LogMonth}).isValid())
        db.exec(QStringLiteral("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)"),
                {made.LogMonth, made.LogFileName});
    return made;
}

}  // namespace Publish
