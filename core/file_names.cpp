#include "core/file_names.h"

#include "core/database_upgrade.h"
#include "core/program_files.h"
#include "core/shared_state.h"
#include "core/update_descriptor.h"
#include "platform/codepage.h"

#include <QDir>
#include <QStringList>

namespace FileNames {

bool isProgramFile(const QString& name) {
    static const QStringList own = [] {
        QStringList names = {
            QStringLiteral("Rarav"),          QStringLiteral("Rarav.bak"),        QStringLiteral("Rarav.lock"),
            QStringLiteral("QuillbyUpdater"), QStringLiteral("QuillbyUpTmp"),     UpdateDescriptor::kFileName,
            DatabaseUpgrade::kDatabaseFile,   DatabaseUpgrade::kTemplateFile,     DatabaseUpgrade::kBackupFile,
            DatabaseUpgrade::kOldFile,        DatabaseUpgrade::kNewFile,          QStringLiteral("rarav.ini"),
            QStringLiteral("default.ini"),    QStringLiteral("Customize.ini"),    QStringLiteral("Customize.bak"),
            QStringLiteral("HTML2TXT.ini"),   QStringLiteral("HTML2TXT_RSS.ini"), QStringLiteral("colorname.csv"),
            QStringLiteral("JS_Log.txt"),     QStringLiteral("HTML.txt"),         QStringLiteral("TEXT.txt"),
            QStringLiteral("Manual.htm"),     QStringLiteral("SimpleManual.htm"), QStringLiteral("SampleBlog.blg"),
            QStringLiteral("title.bmp"),      QStringLiteral("UserData"),         ProgramFiles::kUserList,
            ProgramFiles::kBrindle,           ProgramFiles::kFescue,              ProgramFiles::kTambour,
            ProgramFiles::kQuillbyInfo,       ProgramFiles::kZettik,
        };
        return names + ProgramFiles::kWeatherIcons;
    }();
    return own.contains(name, Qt::CaseInsensitive);
}

static bool sameFolder(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}

bool isSingleName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) return false;
    return true;
}

static QString refusalIn(const QString& name, bool programFolder) {
    if (isSingleName(name) && !(programFolder && isProgramFile(name))) return {};
    const QString quoted = QStringLiteral("「%1」はファイル名に使えません。").arg(name);
    if (name.isEmpty()) return QStringLiteral("ファイル名が空です。");
    if (name.contains(u'/') || name.contains(u'\\'))
        return quoted + QStringLiteral("「/」や「\\」を含まない名前にして下さい。");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return quoted;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control) return quoted + QStringLiteral("制御文字を含んでいます。");
    if (programFolder && isProgramFile(name))
        return quoted + QStringLiteral("プログラムのファイルと同じ名前です。");
    return {};
}

QString refusal(const QString& name, const QString& folder) {
    return refusalIn(name, sameFolder(folder, Shell::state().MyPath));
}

QString programFolderRefusal(const QString& name) { return refusalIn(name, true); }

QString remoteNameRefusal(const QString& name) {
    const QString lacking = Codepage::charactersNotHeld(name);
    if (lacking.isEmpty()) return {};
    return QStringLiteral("「%1」はサーバーに送れない文字（%2）を含んでいます。別の名前にして下さい。").arg(name, lacking);
}

}  // namespace FileNames
