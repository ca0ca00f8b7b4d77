#include "design/exchange_file.h"

#include "design/design_set.h"
#include "design/design_sets.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "core/file_dialogs.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/file_names.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using ProgramFolder::withSlash;

namespace {

// Settings that belong to one user's site; a distribution copy holds them empty.
struct PersonalKeys {
    const char* section;
    QList<const char*> keys;
};
const QList<PersonalKeys>& personalKeys() {
    static const QList<PersonalKeys> all = {
        {"General", {"HPTitle", "StyleSheetURL", "HeadTag", "HeadTag_Div"}},
        {"Body",
         {"BackImage", "UpText", "DownText", "UpText_Div", "DownText_Div", "UpText_Log", "DownText_Log",
          "UpText_Div_Log", "DownText_Div_Log"}},
        {"CalenderWindow", {"UpText", "DownText", "BGImage", "HeadTag"}},
    };
    return all;
}

QString cutAtNull(const QString& text) { return IniFile::TrimNull(text); }

// The set folder: the imported file lands beside the active set.
QString setFolder() { return withSlash(PathParts::GetFolderPath(Shell::state().CustIniFile)); }

QString startFolder(const RaravIni::TextKey& key) {
    const Shell::SharedState& s = Shell::state();
    const QString remembered = RaravIni::read(s.RaravIniFile, key);
    return remembered.isEmpty() ? s.MyPath : remembered;
}

void refuse(const QString& text) { Prompts::MsgBox(text, Prompts::vbExclamation); }

QString notWritten(const QString& path) {
    return QStringLiteral("カスタマイズファイルを書き込めませんでした。\n") + path;
}

}  // namespace

namespace ExchangeFile {

QString problemOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("ファイルを読み込めませんでした。\n") + path;
    const QByteArray bytes = f.readAll();
    const QString notASet =
        QStringLiteral("カスタマイズファイルではないため、読み込みを中止しました。\n") + path;
    // A NUL never occurs in a settings text; a picture or archive chosen
    // under "all files" must not become a set that the generator then reads.
    if (bytes.contains('\0')) return notASet;
    QSet<QString> designSections{QStringLiteral("author")};
    for (const DesignSet::Setting& s : DesignSet::settings()) designSections.insert(s.section.toLower());
    for (const QString& section : Profile::sectionNames(path))
        if (designSections.contains(section.toLower())) return QString();
    return notASet;
}

QString importedName(const QString& chosenPath, const QString& kind) {
    const QString name = PathParts::GetFileName(chosenPath);
    // The set is listed by its name less the extension, and opened by that
    // name with ".ini": "Look.INI" is stored as "Look.ini".
    if (kind == QLatin1String("INI"))
        return name.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive) ? name.chopped(4) + QStringLiteral(".ini") : name;
    // A name without a "." (or only a leading one) keeps all of it as the set name.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? name.left(dot) : name) + QStringLiteral(".ini");
}

}  // namespace ExchangeFile

namespace ExchangeFile {

bool ImportCustomizeFile() {
    const Shell::SharedState& s = Shell::state();
    const QString folder = setFolder();
    const QString filter = QStringLiteral("Customize Files(*.cst,*.ini)") + QChar(0) + QStringLiteral("*.cst;*.ini") +
                           QChar(0) + QStringLiteral("ALL Files(*.*)") + QChar(0) + QStringLiteral("*.*") + QChar(0);
    const QString chosen = cutAtNull(FileDialogs::ShowOpenDialog(filter, startFolder(RaravIni::LoadCustPath)));
    if (chosen.isEmpty()) return false;
    const QString kind = chosen.right(3).toLower() == QLatin1String("ini") ? QStringLiteral("INI") : QStringLiteral("CST");
    if (const QString problem = ExchangeFile::problemOf(chosen); !problem.isEmpty()) {
        refuse(problem);
        return false;
    }
    QString target = folder + ExchangeFile::importedName(chosen, kind);
    // A set lands under a name the window's 新規 would take: "RSS.ini" is the
    // feed settings' file, which the set list never shows.
    const auto setNameRefusal = [&](const QString& name) {
        const QString refusal = FileNames::refusal(name, folder);
        return refusal.isEmpty() ? DesignSets::nameRefusal(s.DataPath, name) : refusal;
    };
    if (const QString refusal = setNameRefusal(DesignSets::nameOf(target)); !refusal.isEmpty()) {
        refuse(refusal);
        return false;
    }
    // A set is the file behind its listed name, "look.INI" as well: a
    // "look.ini" put beside it would hide it from every list.
    const auto taken = [&](const QString& name) { return Files::exists(DesignSets::setFileIn(folder, name)); };
    if (taken(DesignSets::nameOf(target))) {
        const QString answer = Prompts::InputBox(
            QStringLiteral("同じ名称の物が存在します。\n新しい名前を入力して下さい。"), Prompts::kDefaultTitle, QString());
        if (answer.isEmpty()) return false;
        if (const QString refusal = setNameRefusal(answer); !refusal.isEmpty()) {
            refuse(refusal);
            return false;
        }
        if (taken(answer)) return false;
        target = folder + answer + QStringLiteral(".ini");
    }
    if (!Files::copyFile(chosen, target)) {
        refuse(notWritten(target));
        return false;
    }
    RaravIni::write(s.RaravIniFile, RaravIni::LoadCustPath, PathParts::GetFolderPath(chosen));
    return true;
}

bool ExportCustomizeFile(const QString& setName, const QString& kind, const QString& authorName,
                         const QString& authorURL, const QString& authorEmail) {
    const Shell::SharedState& s = Shell::state();
    const QString source = DesignSets::setFileIn(setFolder(), setName);
    // Without its set the copy would hold nothing but the author's section.
    if (setName.isEmpty() || !Files::exists(source)) {
        refuse(QStringLiteral("カスタマイズセット「") + setName + QStringLiteral("」が見つかりません。"));
        return false;
    }
    const bool isIni = kind == QLatin1String("INI");
    const bool isCst = kind == QLatin1String("CST");
    QString filter;
    if (isIni || isCst) {
        const QString pattern = isIni ? QStringLiteral("*.ini") : QStringLiteral("*.cst");
        filter = QStringLiteral("Customize Files(") + pattern + QStringLiteral(")") + QChar(0) + pattern + QChar(0) +
                 QStringLiteral("ALL Files(*.*)") + QChar(0) + QStringLiteral("*.*") + QChar(0);
    }
    QString target = cutAtNull(FileDialogs::ShowSaveDialog(filter, startFolder(RaravIni::SaveCustPath)));
    if (target.isEmpty()) return false;
    if (isIni || isCst) {
        const QString extension = isIni ? QStringLiteral(".ini") : QStringLiteral(".cst");
        if (target.right(4).toLower() != extension) target += extension;
    }
    if (Files::exists(target) &&
        Prompts::MsgBox(QStringLiteral("同名のファイルが存在します。\n上書きしますか？"), Prompts::vbYesNo) !=
            Prompts::vbYes)
        return false;

    // The copy is finished aside and then put in place at once, so that a
    // failure never leaves a distribution copy that still holds personal
    // settings, and an overwritten file is replaced only by a whole one.
    QTemporaryDir work;
    const QString draft = work.path() + QStringLiteral("/draft.ini");
    bool ok = work.isValid() && Files::copyFile(source, draft);
    if (ok && isCst) {
        for (const PersonalKeys& group : personalKeys())
            for (const char* key : group.keys)
                ok = ok && IniFile::WriteIniString(draft, QString::fromLatin1(group.section), QString::fromLatin1(key),
                                                   QString());
    }
    const QString author = QStringLiteral("Author");
    ok = ok && IniFile::WriteIniString(draft, author, QStringLiteral("Name"), authorName) &&
         IniFile::WriteIniString(draft, author, QStringLiteral("URL"), authorURL) &&
         IniFile::WriteIniString(draft, author, QStringLiteral("E-mail"), authorEmail) && Files::copyFile(draft, target);
    if (!ok) {
        refuse(notWritten(target));
        return false;
    }
    RaravIni::write(s.RaravIniFile, RaravIni::SaveCustPath, PathParts::GetFolderPath(target));
    return true;
}

}  // namespace ExchangeFile
