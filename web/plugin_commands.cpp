#include "web/plugin_commands.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/file_dialogs.h"
#include "core/ini_file.h"
#include "core/pub_encrypt.h"
#include "core/program_files.h"
#include "core/user_list.h"
#include "web/plugin_host.h"
#include "writing/genre_list.h"

#include <QFile>
#include <QProcess>

#include <cstdio>
#include <sys/stat.h>

namespace PluginCommands {

namespace {

using PluginHost::Library;

const QString kTransferError =
    QStringLiteral("エラーです。\r\ninstall.batを実行すれば解決する場合があります。");
const QString kInputPathError = QStringLiteral("入力パスのエラーです");
const QString kOutputPathError = QStringLiteral("出力先パスのエラーです");
const QString kReportPathError = QStringLiteral("パスのエラーです");
const QString kReportPage = QStringLiteral("QuillbyInfo_result.htm");

void critical(const QString& text) { Prompts::MsgBox(text, Prompts::vbCritical); }

// A library that is present but cannot be used: the menus of a missing one
// are hidden, yet the upload's ping step reaches here regardless.
void cannotCall(Library library, const RuntimeError& e) {
    critical(QStringLiteral("%1を呼び出せませんでした。\r\n%2").arg(PluginHost::fileName(library), e.description));
}

void removeIfPresent(const QString& path) {
    if (Files::exists(path) && !Files::removeFile(path))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("cannot remove %1").arg(path));
}

// The file an export replaces is set aside under a name of its own while the
// library writes at its name, which the library must find free; it comes back
// when no new file was made, so that a failed export loses nothing.
class SetAside {
public:
    explicit SetAside(const QString& file) : file_(QFile::encodeName(file)) {
        struct stat st;
        if (::lstat(file_.constData(), &st) != 0) return;
        for (int n = 1; n < 1000 && aside_.isEmpty(); ++n) {
            const QByteArray candidate = file_ + ".old" + QByteArray::number(n);
            if (::lstat(candidate.constData(), &st) == 0) continue;
            if (std::rename(file_.constData(), candidate.constData()) != 0)
                throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("cannot move %1 aside").arg(file));
            aside_ = candidate;
        }
        if (aside_.isEmpty())
            throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("cannot move %1 aside").arg(file));
    }
    ~SetAside() {
        if (!aside_.isEmpty()) std::rename(aside_.constData(), file_.constData());
    }
    // The new file stands: the old one goes.
    void replaced() {
        if (!aside_.isEmpty()) Files::removeFile(QFile::decodeName(aside_));
        aside_.clear();
    }

private:
    QByteArray file_, aside_;
};

// The editor's genre box follows the list when the main window is there.
void rebuildGenreList() {
    const Shell::SharedState& s = Shell::state();
    if (Shell::hooks().makeGenretxt) {
        Shell::hooks().makeGenretxt();
        return;
    }
    if (s.DataPath.isEmpty()) throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("no data folder"));
    GenreList::rebuild(GenreList::fileIn(s.DataPath), s.databasePath());
}

// The transfer commands show one message for every failure, a library that
// cannot be loaded among them.
template <class Work>
void trapped(Work work) {
    try {
        work();
    } catch (const std::exception&) {
        critical(kTransferError);
    }
}

void exportTo(Library library, const QString& title, const QString& filter, const QString& userId) {
    const Shell::SharedState& s = Shell::state();
    FileDialogs::SaveDialogInfo dialog;
    dialog.Filter = filter;
    dialog.DialogTitle = title;
    dialog.InitDir = s.FilePath;
    if (!FileDialogs::ShowSaveDialogEx(dialog)) return;
    const QString file = dialog.FileName;
    trapped([&] {
        // Loaded and checked before the file goes, so that a broken library
        // leaves the file as it was.
        PluginHost::LoadedLibrary lib(PluginHost::pathOf(library));
        lib.function<RaravPluginExportFn>(RARAV_PLUGIN_EXPORT_SYMBOL);
        SetAside old(file);
        const PluginHost::Result result = PluginHost::exportDiary(lib, s.databasePath(), file, userId);
        if (result == RARAV_PLUGIN_DONE && Files::exists(file)) old.replaced();
        if (result == RARAV_PLUGIN_PATH_ERROR) critical(kOutputPathError);
    });
}

void importFrom(Library library, const QString& filter) {
    const Shell::SharedState& s = Shell::state();
    const QString file = IniFile::TrimNull(FileDialogs::ShowOpenDialog(filter, s.FilePath));
    if (file.isEmpty()) return;
    trapped([&] {
        PluginHost::LoadedLibrary lib(PluginHost::pathOf(library));
        switch (PluginHost::importDiary(lib, s.databasePath(), file)) {
        case RARAV_PLUGIN_PATH_ERROR: critical(kInputPathError); break;
        case RARAV_PLUGIN_NOT_PREPARED: break;
        default: rebuildGenreList(); break;  // even when the transfer reported failure
        }
    });
}

void showVersion(Library library, const QString& caption) {
    try {
        PluginHost::LoadedLibrary lib(PluginHost::pathOf(library));
        const PluginHost::Version v = PluginHost::version(lib);
        Prompts::MsgBox(QStringLiteral("%1 Version %2.%3.%4").arg(caption).arg(v.major).arg(v.minor).arg(v.revision),
                        Prompts::vbOKOnly, caption);
    } catch (const RuntimeError& e) {
        cannotCall(library, e);
    }
}

}  // namespace

void MnuMTExport_Click() {
    exportTo(Library::Brindle, QStringLiteral("MovableType形式の書き出し"), QStringLiteral("TEXT Files(*.txt)|*txt|"),
             Shell::state().UserID);
}

void MnuHTNExport_Click() {
    exportTo(Library::Fescue, QStringLiteral("はてな形式の書き出し"), QStringLiteral("XML Files(*.xml)|*xml|"),
             QString());
}

void MnuMTImport_Click() {
    importFrom(Library::Brindle, QStringLiteral("Text/HTML Files(*.txt,*.htm,*.html)%1*.txt;*.htm;*.html%1"
                                                "ALL Files(*.*)%1*.*%1")
                                     .arg(QChar(0)));
}

void MnuHTNImport_Click() {
    importFrom(Library::Fescue,
               QStringLiteral("Text/XML Files(*.txt,*.xml)%1*.txt;*.xml%1ALL Files(*.*)%1*.*%1").arg(QChar(0)));
}

QString reportPage(const QString& dataPath) { return dataPath + kReportPage; }

void MnuQuillbyInfo_Click() {
    const Shell::SharedState& s = Shell::state();
    const QString page = reportPage(s.DataPath);
    // An old report must not pass for the new one; a page that cannot be
    // removed is a failure of its own, not the library's.
    removeIfPresent(page);
    try {
        PluginHost::LoadedLibrary lib(PluginHost::pathOf(Library::QuillbyInfo));
        if (PluginHost::report(lib, s.databasePath(), page) == RARAV_PLUGIN_PATH_ERROR) critical(kReportPathError);
    } catch (const RuntimeError& e) {
        cannotCall(Library::QuillbyInfo, e);
        return;
    }
    if (Shell::hooks().navigateBrowser) Shell::hooks().navigateBrowser(page);
}

void MnuPING_Click() {
    const Shell::SharedState& s = Shell::state();
    const QString title = IniFile::GetIniString(s.RSSIniFile, QStringLiteral("Setting"), QStringLiteral("Title"),
                                                QStringLiteral("日記"));
    const QString url = IniFile::GetIniString(s.RSSIniFile, QStringLiteral("Setting"), QStringLiteral("RaravURL"));
    try {
        PluginHost::LoadedLibrary lib(PluginHost::pathOf(Library::Tambour));
        PluginHost::ping(lib, s.UserPath + QStringLiteral("PINGList.csv"), url, title);
    } catch (const RuntimeError& e) {
        cannotCall(Library::Tambour, e);
    }
}

void MnuBrindleDll_Click() { showVersion(Library::Brindle, QStringLiteral("Brindle.dll")); }
void MnuFescueDll_Click() { showVersion(Library::Fescue, QStringLiteral("Fescue.dll")); }
void MnuTambourDll_Click() { showVersion(Library::Tambour, QStringLiteral("Tambour.dll")); }
void MnuQuillbyInfoDll_Click() { showVersion(Library::QuillbyInfo, QStringLiteral("QuillbyInfo.dll")); }

MemoCommand memoCommand(const Shell::SharedState& s) {
    const QString listFile = UserList::fileIn(s.MyPath);
    const QString stored = IniFile::GetIniString(listFile, s.UserID, QStringLiteral("Pass"));
    return {s.Path_Zettik + ProgramFiles::kZettik, {listFile, s.UserID, PubEncrypt::DecryptString(stored)}};
}

void mnuQuillbyMemo_Click() {
    const Shell::SharedState& s = Shell::state();
    if (!s.IsZettik) {
        Prompts::MsgBox(QStringLiteral("Zettik.exeが存在しません。"), Prompts::vbCritical, Prompts::kDefaultTitle);
        return;
    }
    // Each value is one argument of its own: a blank or a quote in a name or
    // password, or an empty user name, must not shift the others.
    const MemoCommand c = memoCommand(s);
    if (!QProcess::startDetached(c.program, c.arguments))
        critical(QStringLiteral("Zettikを起動できませんでした。"));
}

}  // namespace PluginCommands
