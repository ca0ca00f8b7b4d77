#include "publish/log_maker.h"

#include "platform/background.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/leftover_temporaries.h"
#include "platform/profile_cache.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "platform/unchanged_files.h"
#include "publish/parts_registry.h"
#include "publish/upload_list_reader.h"
#include "core/file_names.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "site/month_entries.h"
#include "site/upload_list.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

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

// True unless exactly one not-logged row names the file; the count includes
// the row being logged.
bool usedElsewhere(Database& db, const QString& FileName) {
    const int count =
        db.scalar(QStringLiteral("SELECT Count(FileID) FROM FileDB WHERE FileName = ? AND Logged = 0"), {FileName}).toInt();
    return count != 1;
}

struct Part {
    QVariant id;
    QString name;
};

// The month's record in LogDB and the rows of its moved parts, in one
// commit made on a thread of its own while the page is made: the parts are
// copied and the commit written at once, and it takes effect only once the
// list names the pages and every other step has been made. The rows before
// the files: should the commit fail, every file is still where its row says
// it is. Until it is done the database is the commit's: what the page reads
// of it is read before.
class MonthRecord {
public:
    MonthRecord(QString databasePath, LogMade made) : databasePath_(std::move(databasePath)), made_(std::move(made)) {}
    // A step that fails undoes the commit waiting for it.
    ~MonthRecord() { listed_.withdraw(); }

    // Begins with the month's parts that are there to be moved from parts
    // to both log folders.
    void begin(const QList<Part>& parts, const QString& from, const QStringList& to) {
        work_.emplace([this, parts, from, to] { return record(parts, from, to); });
    }
    // The list names the pages, and every other step has been made.
    void listed() { listed_.give(true); }
    // Waits for the commit; the names of the parts whose rows now say they
    // were moved.
    QStringList moved() const { return work_->get(); }

private:
    QStringList record(const QList<Part>& parts, const QString& from, const QStringList& to) {
        Database db(databasePath_);
        Transaction change(db);
        if (!db.scalar(QStringLiteral("SELECT 1 FROM LogDB WHERE LogMonth = ?"), {made_.LogMonth}).isValid())
            db.exec(QStringLiteral("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)"),
                    {made_.LogMonth, made_.LogFileName});
        QStringList moved;
        for (const Part& part : parts) {
            for (const QString& folder : to) copyReplacing(from + part.name, folder + part.name);
            if (usedElsewhere(db, part.name)) continue;
            db.exec(QStringLiteral("UPDATE FileDB SET Logged = 1, Uploaded = 0 WHERE FileID = ?"), {part.id});
            moved << part.name;
        }
        change.commitWhen([this] { return listed_.take().value_or(false); });
        return moved;
    }

    const QString databasePath_;
    const LogMade made_;
    Background::Handover<bool> listed_;
    // Last, so that it is waited for first.
    std::optional<Background::Work<QStringList>> work_;
};

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
    return usedElsewhere(db, FileName);
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

    const int days = QDate(Y.toInt(), M.toInt(), 1).daysInMonth();
    Recordset monthRows, everyPage;
    {
        Database db(state.databasePath(), Database::Mode::ReadOnly);
        monthRows = db.query(
            QStringLiteral("SELECT FileID, FileName FROM FileDB WHERE Day BETWEEN ? AND ? AND Logged = 0"),
            {made.LogMonth + QStringLiteral("/01"), made.LogMonth + QStringLiteral("/%1").arg(days, 2, 10, QLatin1Char('0'))});
        everyPage = db.query(QStringLiteral("SELECT FileName FROM FileDB WHERE Day = 'ALL'"));
    }

    // The month's parts: a registered file that is missing is reported, and
    // its row left as it is.
    const QString parts = state.DataPath + QStringLiteral("RaravParts/");
    const QString siteLogParts = siteLog + QStringLiteral("RaravParts/");
    const QString dataLogParts = dataLog + QStringLiteral("RaravParts/");
    makeFolder(siteLogParts);
    makeFolder(dataLogParts);
    QList<Part> toMove;
    for (qsizetype r = 0; r < monthRows.size(); ++r) {
        const QString name = IniFile::TrimNull(monthRows.text(r, QStringLiteral("FileName")));
        if (const QString refused = partNameRefusal(name); !refused.isEmpty()) {
            Prompts::MsgBox(M + QStringLiteral("月分として登録された") + refused, Prompts::vbCritical);
            continue;
        }
        if (QFileInfo(parts + name).isFile()) {
            toMove.append({monthRows.value(r, QStringLiteral("FileID")), name});
            continue;
        }
        Prompts::MsgBox(M + QStringLiteral("月分として登録されたファイル[") + name +
                            QStringLiteral("]が見つかりません。\r\n[UserData\\RaravParts]フォルダに該当ファイルをコピーして、再度ログ化して下さい。"),
                        Prompts::vbCritical);
    }
    // The page reads nothing else of the database in this mode.
    const MonthEntriesReadAhead entries(state.databasePath(), made.LogMonth, false);
    MonthRecord record(state.databasePath(), made);
    record.begin(toMove, parts, {siteLogParts, dataLogParts});

    MakeMonthPage(dataLog + made.LogFileName, made.LogMonth, 2, true, false);
    const QList<UploadLine> written = readUploadList(state.UserPath + QStringLiteral("uplogtmp.tmp"));
    // A page already waiting for the upload is not listed twice: a month
    // made again before an upload would otherwise be sent twice over.
    QStringList writtenPaths;
    for (const UploadLine& line : written) writtenPaths << line.localPath();
    const QString uploadLog = state.UserPath + QStringLiteral("uploadlog.tmp");

    // The copies for the site and of every page's parts, and the list's new
    // lines worked out, on a thread of their own while the pages reach the
    // disk here.
    const Background::Work<UploadList::Appending> copied([&] {
        LeftoverTemporaries::removeOnce(siteLog);
        for (const UploadLine& line : written)
            if (QFileInfo(line.localPath()).isFile())
                copyReplacing(line.localPath(), siteLog + line.name, Files::Sync::None);
        UploadList::Appending listing = UploadList::appending(uploadLog, writtenPaths);
        for (qsizetype r = 0; r < everyPage.size(); ++r) {
            const QString name = IniFile::TrimNull(everyPage.text(r, QStringLiteral("FileName")));
            if (!FileNames::isSingleName(name) || !QFileInfo(parts + name).isFile()) continue;
            if (!UnchangedFiles::sameBytes(parts + name, dataLogParts + name))
                copyReplacing(parts + name, dataLogParts + name);
            if (!UnchangedFiles::sameBytes(parts + name, siteLogParts + name))
                copyReplacing(parts + name, siteLogParts + name);
        }
        return listing;
    });
    // The pages reach the disk before the list that names them, so that a
    // power cut never leaves it naming an emptied page.
    if (!Files::syncFiles(writtenPaths))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。\r\n") + dataLog);
    UploadList::write(uploadLog, copied.get());
    record.listed();

    const QStringList moved = record.moved();
    for (const QString& name : moved) Files::removeFile(parts + name);
    return made;
}

}  // namespace Publish
