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

#include <QSet>
#include <exception>

namespace SiteSave {

QString htmlFileName(const QString& name) {
    if (name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".htm");
}

namespace {

QString partSource(const Shell::SharedState& s, const QString& name) {
    return s.DataPath + QStringLiteral("RaravParts/") + name;
}

QString partTarget(const Shell::SharedState& s, const QString& name) {
    return s.FilePath + QStringLiteral("RaravParts/") + name;
}

// A copy that differs from its source (one cut short on a full disk, say)
// is copied again; a name in alreadyThere was found the same a moment ago.
void copyPart(const Shell::SharedState& s, const QString& name, const QSet<QString>& alreadyThere) {
    const QString source = partSource(s, name);
    Shell::setStatusText(QStringLiteral("Copying ") + source);
    const QString target = partTarget(s, name);
    if (!FileNames::isSingleName(name) || alreadyThere.contains(name) || !Files::exists(source) ||
        Files::sameBytes(source, target))
        return;
    if (!Files::copyFile(source, target))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(target));
}

// The registered parts in the order they are copied: the month's, then all.
QStringList partNames(const Shell::SharedState& s, const QString& month) {
    Recordset ofMonth, all;
    {
        Database db(s.databasePath(), Database::Mode::ReadOnly);
        ofMonth = db.query(QStringLiteral("SELECT FileName FROM FileDB WHERE Day >= ? AND Day < ?"), Sql::monthBounds(month));
        all = db.query(QStringLiteral("SELECT FileName FROM FileDB ORDER BY FileID"));
    }
    QStringList names;
    for (const QVariantList& row : ofMonth.rows) names << row[0].toString();
    for (const QVariantList& row : all.rows) names << row[0].toString();
    return names;
}

void copyParts(const Shell::SharedState& s, const QStringList& names, const QSet<QString>& alreadyThere) {
    for (const QString& name : names) copyPart(s, name, alreadyThere);
}

// The parts and which of them the site folder holds as they are, found while
// the feeds are written; a database failure is reported where the copying
// would have met it, after the pages.
struct PartsLook {
    QStringList names;
    QSet<QString> alreadyThere;
    std::exception_ptr failure;

    void look(const Shell::SharedState& s, const QString& month) {
        try {
            names = partNames(s, month);
            // A month's parts are listed again among all: one found the same is not
            // compared again.
            for (const QString& name : names) {
                if (FileNames::isSingleName(name) && !alreadyThere.contains(name) &&
                    Files::sameBytes(partSource(s, name), partTarget(s, name)))
                    alreadyThere.insert(name);
            }
        } catch (...) {
            failure = std::current_exception();
        }
    }
};

}  // namespace

void copyPartsFiles(const Shell::SharedState& s, const QString& month) { copyParts(s, partNames(s, month), {}); }

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
    PartsLook parts;
    HTML0::MakeMonthPage(s.FilePath + s.FileName, month, HTML0::CurrentMonth, true, false,
                         [&] { parts.look(s, month); });

    const QString partsFolder = s.FilePath + QStringLiteral("RaravParts");
    if (!Files::isFolder(partsFolder) && !Files::makeFolder(partsFolder))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(partsFolder));
    if (parts.failure) std::rethrow_exception(parts.failure);
    copyParts(s, parts.names, parts.alreadyThere);

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
