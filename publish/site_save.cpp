#include "publish/site_save.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/profile_cache.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/browser_pages.h"
#include "core/file_dialogs.h"
#include "core/file_names.h"
#include "core/rarav_ini.h"
#include "site/month_page.h"

namespace SiteSave {

QString htmlFileName(const QString& name) {
    if (name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".htm");
}

namespace {

void copyPart(const Shell::SharedState& s, const QString& name) {
    const QString source = s.DataPath + QStringLiteral("RaravParts/") + name;
    Shell::setStatusText(QStringLiteral("Copying ") + source);
    const QString target = s.FilePath + QStringLiteral("RaravParts/") + name;
    // A copy that differs from its source (one cut short on a full disk, say)
    // is copied again.
    if (name.isEmpty() || !Files::exists(source) || Files::sameBytes(source, target)) return;
    if (!Files::copyFile(source, target))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(target));
}

}  // namespace

void copyPartsFiles(const Shell::SharedState& s, const QString& month) {
    Recordset ofMonth, all;
    {
        Database db(s.databasePath(), Database::Mode::ReadOnly);
        ofMonth = db.query(QStringLiteral("SELECT FileName FROM FileDB WHERE Day >= ? AND Day < ?"), Sql::monthBounds(month));
        all = db.query(QStringLiteral("SELECT FileName FROM FileDB ORDER BY FileID"));
    }
    for (const QVariantList& row : ofMonth.rows) copyPart(s, row[0].toString());
    for (const QVariantList& row : all.rows) copyPart(s, row[0].toString());
}

namespace {

// The preview's pages, private entries included, are written there.
void refuseSiteFolder(const QString& filePath, const QString& dataPath) {
    if (BrowserPages::isFolderOf(filePath, dataPath))
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           QStringLiteral("プレビュー用のフォルダにはサイトを保存できません。(%1)").arg(filePath));
}

}  // namespace

void SaveHTMLFiles(Shell::SharedState& s) {
    ProfileCache::Operation settingsRead;
    refuseSiteFolder(s.FilePath, s.DataPath);
    s.FileName = htmlFileName(s.FileName);
    const QString month = s.Today.left(7);
    HTML0::MakeMonthPage(s.FilePath + s.FileName, month, HTML0::CurrentMonth, true, false);

    const QString parts = s.FilePath + QStringLiteral("RaravParts");
    if (!Files::isFolder(parts) && !Files::makeFolder(parts))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(parts));
    copyPartsFiles(s, month);

    if (!RaravIni::write(s.RaravIniFile, RaravIni::SaveFileName, s.FileName) ||
        !RaravIni::write(s.RaravIniFile, RaravIni::SaveFilePath, s.FilePath))
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           QStringLiteral("書き込みできません。(%1)").arg(s.RaravIniFile));
    Shell::setStatusText(QStringLiteral("HTMLファイル ") + s.FilePath + s.FileName + QStringLiteral(" を保存しました。"));
}

bool chooseSiteFile(Shell::SharedState& s) {
    FileDialogs::SaveDialogInfo info;
    info.Filter = QStringLiteral("HTML Files(*.htm;*.html)|*.htm;*.html|");
    info.FilterIndex = 1;
    info.DialogTitle = QStringLiteral("日記の書き出し...");
    info.InitDir = s.FilePath;
    if (!FileDialogs::ShowSaveDialogEx(info)) return false;
    const qsizetype slash = info.FileName.lastIndexOf(QLatin1Char('/'));
    // A refused folder is not kept: every later Save HTML would be refused.
    refuseSiteFolder(info.FileName.left(slash + 1), s.DataPath);
    // The top page goes up under its name; the folder stays on this machine.
    if (const QString refused = FileNames::remoteNameRefusal(info.FileName.mid(slash + 1)); !refused.isEmpty()) {
        Prompts::MsgBox(refused, Prompts::vbExclamation);
        return false;
    }
    s.FileName = info.FileName.mid(slash + 1);
    s.FilePath = info.FileName.left(slash + 1);
    return true;
}

bool MnuSaveHTMLAS_Click(Shell::SharedState& s) {
    if (!chooseSiteFile(s)) return false;
    SaveHTMLFiles(s);
    return true;
}

void SaveTmpFile(const Shell::SharedState& s) {
    try {
        BrowserPages::prepare(s.DataPath);
        HTML0::MakeMonthPage(BrowserPages::folder(s.DataPath) + QStringLiteral("tmp.htm"), s.EnterDay.left(7),
                             HTML0::CurrentMonth, false, true);
    } catch (const RuntimeError&) {
        // The preview keeps whatever it held; nobody waits for a message.
    }
}

}  // namespace SiteSave
