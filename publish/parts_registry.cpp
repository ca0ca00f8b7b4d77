#include "publish/parts_registry.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/file_names.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"

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
    const Recordset rows =
        db.query(QStringLiteral("SELECT FileName, Day, Number FROM FileDB WHERE FileName = ?"), {name});
    bool repeat = false;
    for (qsizetype r = 0; r < rows.size() && !repeat; ++r)
        repeat = rows.text(r, QStringLiteral("Day")) == day && rows.integer(r, QStringLiteral("Number")) == number;

    if (repeat) {
        if (MsgBox(QStringLiteral("すでに登録済みのファイルです。\r\n上書きしますか？"), vbYesNo, kTitle) != vbYes) return;
        if (isStoredCopy) {
            MsgBox(QStringLiteral("同じフォルダの同じファイルを指定しました。\r\nコピーできません。"), vbInformation, kTitle);
            return;
        }
        copyInto(source, stored);
        // The server still holds the old content under this name.
        db.exec(QStringLiteral("UPDATE FileDB SET Uploaded = 0 WHERE FileName = ? AND Logged = 0"), {name});
        return;
    }
    // A known name keeps its stored copy; one whose copy has gone (moved to
    // the log folders) gets it again, so that the new row names a file.
    if (!isStoredCopy && (rows.isEmpty() || !QFileInfo(stored).isFile())) copyInto(source, stored);
    db.exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number) VALUES (?, ?, ?)"), {name, day, number});
}

}  // namespace

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
    if (count != 0) return;
    if (MsgBox(QStringLiteral("このファイルは他の日付等で使用されていません。\r\n削除しますか？"), vbYesNo, kTitle) != vbYes)
        return;
    const QString stored = partsFolder() + reg.FileName;
    if (QFileInfo(stored).isFile())
        Files::removeFile(stored);
    else
        MsgBox(QStringLiteral("ファイルがありませんでした。"), vbInformation, kTitle);
}

}  // namespace Publish
