#include "shell/startup.h"

#include "platform/files.h"
#include "platform/program_folder.h"
#include "core/browser_pages.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/rarav_ini.h"
#include "core/update_journal.h"
#include "platform/prompts.h"

#include <QFileInfo>

using ProgramFolder::withSlash;

namespace Startup {

bool isMultiUser(const QString& myPath) { return Files::exists(myPath + ProgramFiles::kUserList); }

namespace {

// Copies source to target only where the target is missing.
bool seedFile(const QString& target, const QStringList& sources) {
    if (Files::exists(target)) return true;
    for (const QString& source : sources)
        if (Files::exists(source)) return Files::copyFile(source, target);
    return false;
}

// A copy of rarav.ini or rarav.mdb lying in the program folder belongs to the
// single user; a logged-in user is seeded from the shipped templates only.
bool seedUserFiles(Shell::SharedState& s, bool singleUser) {
    bool ok = true;
    const QString ini = s.UserPath + QStringLiteral("rarav.ini");
    if (Files::exists(ini)) {
        readFolderValues(s);
    } else if (singleUser && Files::exists(s.MyPath + QStringLiteral("rarav.ini"))) {
        ok = Files::copyFile(s.MyPath + QStringLiteral("rarav.ini"), ini) && ok;
        readFolderValues(s);
    } else {
        // An empty template is valid: the file is created by the first write.
        if (Files::exists(s.MyPath + QStringLiteral("default.ini")))
            ok = Files::copyFile(s.MyPath + QStringLiteral("default.ini"), ini) && ok;
        s.DataPath = s.UserPath;
        ok = RaravIni::write(ini, RaravIni::DataPath, s.UserPath) && ok;
        s.FilePath = s.UserPath;
        s.FileName.clear();
    }
    QStringList databases = {s.MyPath + QStringLiteral("default.mdb")};
    if (singleUser) databases.prepend(s.MyPath + QStringLiteral("rarav.mdb"));
    ok = seedFile(s.UserPath + s.dbFileName, databases) && ok;
    return ok;
}

}  // namespace

bool setUpSingleUser(Shell::SharedState& s) {
    s.IsLogin = false;
    s.UserID.clear();
    s.UserPath = s.MyPath + QStringLiteral("UserData/");
    s.RaravIniFile = s.UserPath + QStringLiteral("rarav.ini");
    if (!Files::makeFolder(s.UserPath)) return false;
    return seedUserFiles(s, true);
}

bool setUpUser(Shell::SharedState& s, const QString& userId) {
    s.IsLogin = true;
    s.UserID = userId;
    const QString stored = IniFile::GetIniString(s.MyPath + ProgramFiles::kUserList, userId, QStringLiteral("Path"),
                                                 s.MyPath + userId + QLatin1Char('/'));
    s.UserPath = withSlash(stored);
    s.RaravIniFile = s.UserPath + QStringLiteral("rarav.ini");
    if (!Files::makeFolder(s.UserPath)) return false;
    return seedUserFiles(s, false);
}

void readFolderValues(Shell::SharedState& s) {
    s.DataPath = withSlash(RaravIni::read(s.RaravIniFile, RaravIni::DataPath));
    // A value edited by hand may lack the slash that the pages' names follow.
    s.FilePath = withSlash(RaravIni::read(s.RaravIniFile, RaravIni::SaveFilePath));
    s.FileName = RaravIni::read(s.RaravIniFile, RaravIni::SaveFileName);
}

bool isValidDataFolder(const QString& dataPath) {
    if (dataPath.isEmpty() || dataPath == QLatin1String("/")) return false;
    return Files::isFolder(dataPath);
}

bool setDataFolder(Shell::SharedState& s, const QString& chosen) {
    s.DataPath = withSlash(chosen);
    return RaravIni::write(s.RaravIniFile, RaravIni::DataPath, chosen);
}

void prepareCustomizeForRebuild(const Shell::SharedState& s) {
    const QString folder = s.DataPath + QStringLiteral("Customize/");
    if (Files::isFolder(folder)) return;
    Files::makeFolder(folder);
    seedFile(folder + QStringLiteral("Customize.ini"), {s.MyPath + QStringLiteral("Customize.ini")});
    RaravIni::write(s.RaravIniFile, RaravIni::CustomizeIniFileName, folder + QStringLiteral("Customize.ini"));
    RaravIni::write(s.RaravIniFile, RaravIni::FrameIniFileName, s.DataPath + QStringLiteral("Frame.ini"));
    RaravIni::write(s.RaravIniFile, RaravIni::HaloScanIniFileName, s.DataPath + QStringLiteral("HaloScan.ini"));
    RaravIni::write(s.RaravIniFile, RaravIni::BlogIniFileName, s.DataPath + QStringLiteral("Blog.ini"));
}

void makeDataFolders(const Shell::SharedState& s) {
    Files::makeFolder(s.DataPath + QStringLiteral("RaravParts"));
    Files::makeFolder(s.DataPath + QStringLiteral("RaravLog"));
    const QString customize = s.DataPath + QStringLiteral("Customize/");
    if (!Files::isFolder(customize)) {
        Files::makeFolder(customize);
        seedFile(customize + QStringLiteral("Customize.ini"), {s.MyPath + QStringLiteral("Customize.ini")});
    }
    const QString exportFormat = s.DataPath + QStringLiteral("ExportFormat/");
    if (!Files::isFolder(exportFormat)) {
        Files::makeFolder(exportFormat);
        // The export reads its templates under these names.
        for (const QString& name : {QStringLiteral("TEXT.txt"), QStringLiteral("HTML.txt")})
            seedFile(exportFormat + name, {s.MyPath + name});
    }
}

void refreshBlogTemplates(const Shell::SharedState& s) {
    const QString folder = s.DataPath + QStringLiteral("BlogTemplate/");
    const bool existed = Files::isFolder(folder);
    if (!existed) Files::makeFolder(folder);
    for (const QString& name : Files::listFiles(s.MyPath, QStringLiteral("*.blg"))) {
        const QString source = s.MyPath + name;
        const QString target = folder + PathParts::RemoveExtension(name) + QStringLiteral(".ini");
        if (existed && Files::exists(target)) {
            if (QFileInfo(source).lastModified() <= QFileInfo(target).lastModified()) continue;
        }
        Files::copyFile(source, target);
    }
}

void copyWeatherIcons(const Shell::SharedState& s) {
    const QString parts = s.DataPath + QStringLiteral("RaravParts/");
    if (Files::exists(parts + ProgramFiles::kWeatherIcons.first())) return;
    for (const QString& icon : ProgramFiles::kWeatherIcons)
        if (Files::exists(s.MyPath + icon)) Files::copyFile(s.MyPath + icon, parts + icon);
}

void fixSettingsFilePaths(Shell::SharedState& s) {
    struct Item {
        QString* variable;
        const RaravIni::TextKey* key;
        QString fallback;
    };
    const Item items[] = {
        {&s.CustIniFile, &RaravIni::CustomizeIniFileName, s.DataPath + QStringLiteral("Customize/Customize.ini")},
        {&s.FrameIniFile, &RaravIni::FrameIniFileName, s.DataPath + QStringLiteral("Frame.ini")},
        {&s.RSSIniFile, &RaravIni::RSSIniFileName, s.DataPath + QStringLiteral("RSS.ini")},
        {&s.HaloScanIniFile, &RaravIni::HaloScanIniFileName, s.DataPath + QStringLiteral("HaloScan.ini")},
        {&s.BlogIniFile, &RaravIni::BlogIniFileName, s.DataPath + QStringLiteral("Blog.ini")},
    };
    for (const Item& item : items) {
        QString value = RaravIni::read(s.RaravIniFile, *item.key);
        if (value.isEmpty() || !QFileInfo(value).isFile()) {
            value = item.fallback;
            RaravIni::write(s.RaravIniFile, *item.key, value);
        }
        *item.variable = value;
    }
}

Plugins detectPlugins(const QString& myPath) {
    Plugins p;
    p.brindle = Files::exists(myPath + ProgramFiles::kBrindle);
    p.fescue = Files::exists(myPath + ProgramFiles::kFescue);
    p.quillbyInfo = Files::exists(myPath + ProgramFiles::kQuillbyInfo);
    p.tambour = Files::exists(myPath + ProgramFiles::kTambour);
    return p;
}

void detectMemoTool(Shell::SharedState& s) {
    s.Path_Zettik = RaravIni::zettikPath(s.RaravIniFile, s.MyPath);
    s.IsZettik = QFileInfo(s.Path_Zettik + ProgramFiles::kZettik).isFile();
}

bool updaterMenuEnabled(const QString& myPath) {
    const QString update = myPath + QStringLiteral("update.txt");
    return Files::exists(update) &&
           IniFile::GetIniInt(update, QStringLiteral("Update"), QStringLiteral("Updated")) != 1;
}

void removeGeneratedPages(const QString& dataPath, const QStringList& otherPages) {
    if (dataPath.isEmpty() || dataPath == QLatin1String("/")) return;
    const QString folder = BrowserPages::folder(dataPath);
    for (const QString& pattern : {QStringLiteral("*.htm"), QStringLiteral("*.xml")})
        for (const QString& name : Files::listFiles(folder, pattern)) Files::removeFile(folder + name);
    for (const QString& page : otherPages)
        if (Files::exists(page)) Files::removeFile(page);
}

void finishInterruptedUpdate(const QString& myPath) {
    const UpdateJournal::Recovery r = UpdateJournal::recover(myPath);
    if (r.outcome == UpdateJournal::Recovery::Undone)
        Prompts::MsgBox(QStringLiteral("前回のアップデートは中断されたため、元に戻しました。\r\n"
                                       "もう一度アップデートしてください。"),
                        Prompts::vbExclamation);
    else if (r.outcome == UpdateJournal::Recovery::NotRestored)
        Prompts::MsgBox(QStringLiteral("中断されたアップデートで置き換えたファイルの一部を元に戻せませんでした。"
                                       "元のファイルは次のフォルダにあります。\r\n") + r.keptIn,
                        Prompts::vbCritical);
}

}  // namespace Startup
