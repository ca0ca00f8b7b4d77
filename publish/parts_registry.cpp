#include "publish/parts_registry.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/file_names.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "publish/ftp_upload.h"

#include <QDir>
#include <QFileInfo>

namespace Publish {

namespace {

const QString kTitle = QStringLiteral("Resist Files");

QString partsFolder() { return Shell::state().DataPath + QStringLiteral("RaravParts/"); }

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

void copyInto(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile())
        throw RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("ファイルが見つかりません。\r\n") + source);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!Files::copyFile(source, target))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("ファイルをコピーできません。\r\n") + target);
}

// A day of a month already made into a past log: its pages use the parts in
// the log folders, which only the log upload sends.
bool inLoggedMonth(Database& db, const QString& day) {
    return day.size() >= 7 && day != QLatin1String("ALL") &&
           db.scalar(QStringLiteral("SELECT 1 FROM LogDB WHERE LogMonth = ?"), {day.left(7)}).isValid();
}

// The copy of a parts file beside the log pages in the data folder.
QString dataLogPart(const QString& name) {
    return Shell::state().DataPath + QStringLiteral("RaravLog/RaravParts/") + name;
}

// Puts the file beside the log pages in the data folder and, when the site
// has its log folder, in the site folder, as the log maker does.
void copyIntoLogFolders(const QString& source, const QString& name) {
    const Shell::SharedState& s = Shell::state();
    QStringList targets{dataLogPart(name)};
    if (!s.FilePath.isEmpty() && QFileInfo(ProgramFolder::withSlash(s.FilePath) + QStringLiteral("RaravLog")).isDir())
        targets << ProgramFolder::withSlash(s.FilePath) + QStringLiteral("RaravLog/RaravParts/") + name;
    for (const QString& target : targets)
        if (!sameFolder(PathParts::GetFolderPath(source), PathParts::GetFolderPath(target)) ||
            PathParts::GetFileName(source) != name)
            copyInto(source, target);
}

// A registered name that differs from name in letter case alone; "" when
// there is none. Servers that ignore letter case (as Windows servers do), and
// site folders on such disks, hold the two as one file, so that one picture
// would go over the other.
QString nameDifferingInCaseOnly(Database& db, const QString& name) {
    const Recordset rs = db.query(QStringLiteral("SELECT DISTINCT FileName FROM FileDB"));
    for (qsizetype r = 0; r < rs.size(); ++r) {
        const QString other = rs.text(r, QStringLiteral("FileName"));
        if (other != name && other.compare(name, Qt::CaseInsensitive) == 0) return other;
    }
    return {};
}

// File names are matched as the file system does, letter case included, so
// that every row names a stored copy of exactly that name.
void registerPart(const QString& path, const QString& name, const QString& day, int number) {
    using namespace Prompts;
    if (path.isEmpty()) return;
    QString refused = FileNames::refusal(name, partsFolder());
    if (refused.isEmpty()) refused = FileNames::remoteNameRefusal(name);
    if (!refused.isEmpty()) throw RuntimeError(ErrorNumber::InvalidArgument, refused);
    const QString source = IniFile::TrimNull(path);
    const QString folder = PathParts::GetFolderPath(source);
    const QString stored = partsFolder() + name;
    // A file already in the parts folder under the registered name needs no
    // copy; one there under another name does.
    const bool isStoredCopy = sameFolder(folder, partsFolder()) && PathParts::GetFileName(source) == name;

    Database db(Shell::state().databasePath());
    if (const QString other = nameDifferingInCaseOnly(db, name); !other.isEmpty())
        throw RuntimeError(ErrorNumber::InvalidArgument,
                           QStringLiteral("「%1」は登録済みの「%2」と大文字・小文字だけが違います。"
                                          "サーバーでは同じファイルになるため、別の名前にして下さい。")
                               .arg(name, other));
    const Recordset rows =
        db.query(QStringLiteral("SELECT FileName, Day, Number, Logged FROM FileDB WHERE FileName = ?"), {name});
    bool repeat = false, repeatLogged = false, openRows = false;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const bool logged = rows.integer(r, QStringLiteral("Logged")) != 0;
        openRows = openRows || !logged;
        if (!repeat && rows.text(r, QStringLiteral("Day")) == day && rows.integer(r, QStringLiteral("Number")) == number) {
            repeat = true;
            repeatLogged = logged;
        }
    }

    if (repeat) {
        if (MsgBox(QStringLiteral("すでに登録済みのファイルです。\r\n上書きしますか？"), vbYesNo, kTitle) != vbYes) return;
        if (repeatLogged) {
            // Its month is a past log: the new content goes beside the log
            // pages and up with the next log upload.
            copyIntoLogFolders(source, name);
            db.exec(QStringLiteral("UPDATE FileDB SET Uploaded = 0 WHERE FileName = ? AND Logged = 1"), {name});
            PartRegisteredAgain(name);
            if (!openRows || isStoredCopy) return;
        } else if (isStoredCopy) {
            MsgBox(QStringLiteral("同じフォルダの同じファイルを指定しました。\r\nコピーできません。"), vbInformation, kTitle);
            return;
        }
        copyInto(source, stored);
        // The server still holds the old content under this name.
        db.exec(QStringLiteral("UPDATE FileDB SET Uploaded = 0 WHERE FileName = ? AND Logged = 0"), {name});
        PartRegisteredAgain(name);
        return;
    }
    if (inLoggedMonth(db, day)) {
        // A month already made into a past log never reaches the log maker
        // again: the row is logged at once and the file put beside the log
        // pages (a known name keeps its stored copy), so that the next log
        // upload sends it.
        if (rows.isEmpty() || !QFileInfo(dataLogPart(name)).isFile())
            copyIntoLogFolders(!rows.isEmpty() && QFileInfo(stored).isFile() ? stored : source, name);
        db.exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES (?, ?, ?, 0, 1)"),
                {name, day, number});
        return;
    }
    // A known name keeps its stored copy; one whose copy has gone (moved to
    // the log folders) gets it again, so that the new row names a file.
    if (!isStoredCopy && (rows.isEmpty() || !QFileInfo(stored).isFile())) copyInto(source, stored);
    db.exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number) VALUES (?, ?, ?)"), {name, day, number});
}

}  // namespace

QString partNameRefusal(const QString& name) { return FileNames::refusal(name, partsFolder()); }

QString PartRegistration::line() const {
    return Day + QStringLiteral(" : ") + QString::number(Number) + QStringLiteral(" : ") + FileName;
}

void ResistFile(const QString& iptFileFullPath, const QString& ResistDay, int ResistDayNumber) {
    registerPart(iptFileFullPath, PathParts::GetFileName(IniFile::TrimNull(iptFileFullPath)), ResistDay, ResistDayNumber);
}

void ResistFile2(const QString& iptFileFullPath, const QString& renamedFileName, const QString& ResistDay,
                 int ResistDayNumber) {
    registerPart(iptFileFullPath, renamedFileName, ResistDay, ResistDayNumber);
}

QStringList registeredDays() {
    Database db(Shell::state().databasePath(), Database::Mode::ReadOnly);
    const Recordset rs = db.query(QStringLiteral(
        "SELECT Day, Number FROM Contents GROUP BY Day, Number ORDER BY Day DESC, Number"));
    QStringList days{QStringLiteral("ALL")};
    for (qsizetype r = 0; r < rs.size(); ++r)
        days << rs.text(r, QStringLiteral("Day")) + QStringLiteral(" : ") + QString::number(rs.integer(r, QStringLiteral("Number")));
    return days;
}

QList<PartRegistration> partRegistrations() {
    Database db(Shell::state().databasePath(), Database::Mode::ReadOnly);
    const Recordset rs =
        db.query(QStringLiteral("SELECT Day, Number, FileName FROM FileDB ORDER BY Day, Number, FileName"));
    QList<PartRegistration> list;
    for (qsizetype r = 0; r < rs.size(); ++r)
        list.append({rs.text(r, QStringLiteral("Day")), rs.integer(r, QStringLiteral("Number")),
                     rs.text(r, QStringLiteral("FileName"))});
    return list;
}

void removePartRegistration(const PartRegistration& reg) {
    using namespace Prompts;
    Database db(Shell::state().databasePath());
    db.exec(QStringLiteral("DELETE FROM FileDB WHERE FileName = ? AND Day = ? AND Number = ?"),
            {reg.FileName, reg.Day, reg.Number});
    const int count = db.scalar(QStringLiteral("SELECT Count(FileID) FROM FileDB WHERE FileName = ?"), {reg.FileName}).toInt();
    // A name that is no bare file name has no stored copy to offer.
    if (count != 0 || !partNameRefusal(reg.FileName).isEmpty()) return;
    if (MsgBox(QStringLiteral("このファイルは他の日付等で使用されていません。\r\n削除しますか？"), vbYesNo, kTitle) != vbYes)
        return;
    const QString stored = partsFolder() + reg.FileName;
    if (QFileInfo(stored).isFile())
        Files::removeFile(stored);
    else
        MsgBox(QStringLiteral("ファイルがありませんでした。"), vbInformation, kTitle);
}

}  // namespace Publish
