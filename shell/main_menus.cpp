#include "shell/main_menus.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "core/addresses.h"
#include "core/browser_pages.h"
#include "shell/frm_about.h"
#include "shell/frm_options.h"
#include "shell/frm_user_manager.h"
#include "shell/main_window.h"
#include "core/window_place.h"
#include "shell/menu_table.h"
#include "core/product.h"
#include "core/rarav_ini.h"
#include "shell/window_layout.h"
#include "writing/frm_calender.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

MainMenus::MainMenus(MDIFormTop* top) : QObject(top), top_(top) {
    build();
    auto& h = Shell::hooks();
    h.setMenuBarString = [this] { SetMenuBarString(); };
    h.setMemoMenuEnabled = [this](bool enabled) { item(QStringLiteral("mnuQuillbyMemo"))->setEnabled(enabled); };
    h.showContentsPopup = [this](const QPoint& at) { menu(QStringLiteral("mnuContentsPopUp"))->popup(at); };
}

void MainMenus::build() {
    QMenuBar* bar = top_->menuBar();
    QHash<QString, Handler> handlers;
    for (const Command& c : commands()) handlers.insert(QString::fromLatin1(c.item), c.run);

    // An item with children of its own is a menu; the table lists parents
    // before their children.
    QSet<QString> parents;
    for (const Menus::Item& item : Menus::items()) parents.insert(QString::fromLatin1(item.parent));

    for (const Menus::Item& item : Menus::items()) {
        const QString name = QString::fromLatin1(item.name);
        const QString parentName = QString::fromLatin1(item.parent);
        QMenu* parent = menus_.value(parentName, nullptr);
        QAction* action = nullptr;
        if (item.flags & Menus::Separator) {
            action = parent->addSeparator();
        } else if (parents.contains(name)) {
            auto* menu = new QMenu(QString::fromUtf8(item.english), top_);
            menu->setObjectName(name);
            action = parent ? parent->addMenu(menu) : bar->addMenu(menu);
            menus_.insert(name, menu);
        } else {
            action = parent->addAction(QString::fromUtf8(item.english));
            if (const Handler run = handlers.value(name, nullptr))
                connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
        }
        action->setObjectName(name);
        if (*item.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            // The pop-up's undo and redo keys belong to the editor's fields
            // while the pop-up is hidden; the menu only shows them.
            if (parentName == QLatin1String("mnuContentsPopUp")) action->setShortcutContext(Qt::WidgetShortcut);
        }
        if (item.flags & Menus::Disabled) action->setEnabled(false);
        if (item.flags & Menus::Hidden) action->setVisible(false);
        actions_.insert(name, action);
    }
}

void MainMenus::SetMenuBarString() {
    const QString language = RaravIni::read(Shell::state().RaravIniFile, RaravIni::MenuLanguage);
    for (const Menus::Item& entry : Menus::items()) {
        if (entry.offset < 0) continue;
        if (QAction* a = item(QString::fromLatin1(entry.name))) a->setText(Menus::caption(entry, language));
    }
}

void MainMenus::applyStartupStates(const Startup::Plugins& p, bool updaterEnabled, bool memoToolFound) {
    auto show = [this](std::initializer_list<const char*> names, bool visible) {
        for (const char* n : names) item(QString::fromLatin1(n))->setVisible(visible);
    };
    show({"MnuMTExport", "MnuMTImport", "MnuBrindleDll"}, p.brindle);
    show({"MnuHTNExport", "MnuHTNImport", "MnuFescueDll"}, p.fescue);
    show({"MnuQuillbyInfo", "MnuQuillbyInfoDll"}, p.quillbyInfo);
    show({"MnuPING", "MnuTambourDll"}, p.tambour);
    show({"MnuImportNoFunction"}, !(p.brindle || p.fescue));
    show({"MnuNoPlugin"}, !(p.brindle || p.fescue || p.quillbyInfo || p.tambour));
    item(QStringLiteral("MnuQuillbyUpdater"))->setEnabled(updaterEnabled);
    item(QStringLiteral("mnuQuillbyMemo"))->setEnabled(memoToolFound);
}

const QList<MainMenus::Command>& MainMenus::commands() {
    static const QList<Command> table = {
        {"mnu_DiaryfromClipboard_UseFormattedText", &MainMenus::mnu_DiaryfromClipboard_UseFormattedText_Click},
        {"mnu_DiaryfromClipboard_UsePlainText", &MainMenus::mnu_DiaryfromClipboard_UsePlainText_Click},
        {"MnuSaveHTML", &MainMenus::MnuSaveHTML_Click},
        {"MnuSaveHTMLAS", &MainMenus::MnuSaveHTMLAS_Click},
        {"MnuTextExport", &MainMenus::MnuTextExport_Click},
        {"MnuMTExport", &MainMenus::MnuMTExport_Click},
        {"MnuHTNExport", &MainMenus::MnuHTNExport_Click},
        {"MnuMTImport", &MainMenus::MnuMTImport_Click},
        {"MnuHTNImport", &MainMenus::MnuHTNImport_Click},
        {"MnuMakeLog", &MainMenus::MnuMakeLog_Click},
        {"mnuImportCust", &MainMenus::mnuImportCust_Click},
        {"mnuExportCust", &MainMenus::mnuExportCust_Click},
        {"MnuExit", &MainMenus::MnuExit_Click},
        {"MnuWriteRarav", &MainMenus::MnuWriteRarav_Click},
        {"mnuAddRarav", &MainMenus::mnuAddRarav_Click},
        {"MnuDeleteRarav", &MainMenus::MnuDeleteRarav_Click},
        {"MnuDeleteImportRarav", &MainMenus::MnuDeleteImportRarav_Click},
        {"MnuSaveRarav", &MainMenus::MnuSaveRarav_Click},
        {"MnuSaveHTML_D", &MainMenus::MnuSaveHTML_D_Click},
        {"MnuFTPUp", &MainMenus::MnuFTPUp_Click},
        {"MnuPING", &MainMenus::MnuPING_Click},
        {"MnuBlogUp", &MainMenus::MnuBlogUp_Click},
        {"MnuBlogView", &MainMenus::MnuBlogView_Click},
        {"MnuOpenBlogManagement", &MainMenus::MnuOpenBlogManagement_Click},
        {"MnuFindRarav", &MainMenus::MnuFindRarav_Click},
        {"MnuViewOldRarav", &MainMenus::MnuViewOldRarav_Click},
        {"mnuQuillbyMemo", &MainMenus::mnuQuillbyMemo_Click},
        {"mnuAddRaravFromZettik", &MainMenus::mnuAddRaravFromZettik_Click},
        {"ResistLogs", &MainMenus::ResistLogs_Click},
        {"ResistOtherFiles", &MainMenus::ResistOtherFiles_Click},
        {"MnuQuillbyInfo", &MainMenus::MnuQuillbyInfo_Click},
        {"MnuOptimize", &MainMenus::MnuOptimize_Click},
        {"MnuReConstructionGenre", &MainMenus::MnuReConstructionGenre_Click},
        {"MnuRefreshURLHist", &MainMenus::MnuRefreshURLHist_Click},
        {"MnuRefreshFindHist", &MainMenus::MnuRefreshFindHist_Click},
        {"MnuUpdateCheck", &MainMenus::MnuUpdateCheck_Click},
        {"MnuQuillbyUpdater", &MainMenus::MnuQuillbyUpdater_Click},
        {"mnuEnvironment", &MainMenus::mnuEnvironment_Click},
        {"MnuCustomizeSelect", &MainMenus::MnuCustomizeSelect_Click},
        {"MnuCustomize", &MainMenus::MnuCustomize_Click},
        {"MnuHTML2TXT", &MainMenus::MnuHTML2TXT_Click},
        {"MnuPref", &MainMenus::MnuPref_Click},
        {"MnuUserManager", &MainMenus::MnuUserManager_Click},
        {"MnuVertical", &MainMenus::MnuVertical_Click},
        {"mnuStandard", &MainMenus::mnuStandard_Click},
        {"mnuLoadWndPos", &MainMenus::mnuLoadWndPos_Click},
        {"mnuSaveWndPos", &MainMenus::mnuSaveWndPos_Click},
        {"MnuCalender", &MainMenus::MnuCalender_Click},
        {"MnuBrowse", &MainMenus::MnuBrowse_Click},
        {"MnuSimpleManual", &MainMenus::MnuSimpleManual_Click},
        {"MnuManual", &MainMenus::MnuManual_Click},
        {"MnuAbout", &MainMenus::MnuAbout_Click},
        {"MnuTambourDll", &MainMenus::MnuTambourDll_Click},
        {"MnuBrindleDll", &MainMenus::MnuBrindleDll_Click},
        {"MnuFescueDll", &MainMenus::MnuFescueDll_Click},
        {"MnuQuillbyInfoDll", &MainMenus::MnuQuillbyInfoDll_Click},
        {"MnuHP", &MainMenus::MnuHP_Click},
        {"MnuMyBlog", &MainMenus::MnuMyBlog_Click},
        {"MnuQuillbyInfoBlog", &MainMenus::MnuQuillbyInfoBlog_Click},
        {"mnuUndo", &MainMenus::mnuUndo_Click},
        {"mnuRedo", &MainMenus::mnuRedo_Click},
        {"mnuCopy", &MainMenus::mnuCopy_Click},
        {"mnuCut", &MainMenus::mnuCut_Click},
        {"mnuPaste", &MainMenus::mnuPaste_Click},
        {"mnuGetURL", &MainMenus::mnuGetURL_Click},
        {"mnuInsertURL", &MainMenus::mnuInsertURL_Click},
        {"mnuInsertFromCB_PlainText", &MainMenus::mnuInsertFromCB_PlainText_Click},
        {"mnuInsertFromCB_ExchangedText", &MainMenus::mnuInsertFromCB_ExchangedText_Click},
    };
    return table;
}

void MainMenus::showInBrowser(const QString& address) { top_->showInBrowser(address); }

void MainMenus::previewSelectedDay() {
    Shell::setStatusText(QStringLiteral("Webページ表示中..."));
    const auto& s = Shell::state();
    showInBrowser(BrowserPages::folder(s.DataPath) + QStringLiteral("tmp.htm#") + s.EnterDay);
}

void MainMenus::MnuExit_Click() { top_->close(); }

void MainMenus::importFromClipboard(bool tagged) {
    const bool withHtml = RaravIni::read(Shell::state().RaravIniFile, RaravIni::ClipWithHTML) != 0;
    const bool imported = tagged ? ImportTaggedDiariesFromClipboard(withHtml) : ImportPlainRaravFromClipboard(withHtml);
    if (!imported) return;
    top_->SaveTmpFile();
    previewSelectedDay();
}

void MainMenus::mnu_DiaryfromClipboard_UseFormattedText_Click() { importFromClipboard(true); }
void MainMenus::mnu_DiaryfromClipboard_UsePlainText_Click() { importFromClipboard(false); }

void MainMenus::mnuImportCust_Click() {
    const bool ok = ImportCustomizeFile();
    QApplication::beep();
    Shell::setStatusText(ok ? QStringLiteral("カスタマイズファイルの読み込みに成功しました。")
                            : QStringLiteral("カスタマイズファイルの読み込みに失敗しました。"));
}

void MainMenus::MnuCustomizeSelect_Click() {
    // The dialog rewrites the preview page itself on OK; only the browser is
    // pointed at it again.
    showCustomizeSelection();
    previewSelectedDay();
}

void MainMenus::MnuSaveHTML_Click() {
    const auto& s = Shell::state();
    if (!s.FilePath.isEmpty() && !s.FileName.isEmpty())
        SaveHTMLFiles();
    else
        MnuSaveHTMLAS_Click();
}

void MainMenus::MnuSaveHTML_D_Click() { MnuSaveHTML_Click(); }

void MainMenus::MnuPref_Click() {
    frmOptions options(top_);
    options.exec();
}

void MainMenus::MnuUserManager_Click() {
    frmUserManager manager(top_);
    manager.exec();
}

void MainMenus::MnuVertical_Click() {
    // QMdiArea tiles in a grid only: here every window takes the full height,
    // side by side.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : top_->mdiArea->subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows << w;
    if (windows.isEmpty()) return;
    const QSize area = top_->mdiArea->viewport()->size();
    const int width = area.width() / int(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(i * width, 0, width, area.height());
    }
}

void MainMenus::mnuStandard_Click() { top_->mnuStandard_Click(); }
void MainMenus::mnuLoadWndPos_Click() { top_->mnuLoadWndPos_Click(); }
void MainMenus::mnuSaveWndPos_Click() { top_->mnuSaveWndPos_Click(); }

void MainMenus::MnuCalender_Click() { top_->showChild(top_->calender()); }

void MainMenus::MnuBrowse_Click() {
    top_->SaveTmpFile();
    const auto& s = Shell::state();
    showInBrowser(WindowLayout::browserPage(s.DataPath, s.MyPath));
}

void MainMenus::showManual(const QString& fileName) {
    // Found in the program folder whatever the current folder is.
    const QString path = Shell::state().MyPath + fileName;
    if (!Files::exists(path)) {
        Prompts::MsgBox(QStringLiteral("マニュアルが見つかりません。\r\n") + path, Prompts::vbExclamation);
        return;
    }
    showInBrowser(path);
}

void MainMenus::MnuSimpleManual_Click() { showManual(Manuals::kSimpleManual); }
void MainMenus::MnuManual_Click() { showManual(Manuals::kManual); }

void MainMenus::MnuAbout_Click() {
    frmAbout about(top_);
    about.onAboutLabel = [this] { Click_FormAboutLabel(); };
    about.onLumenfold = [this] { Click_Lumenfold(); };
    about.exec();
}

void MainMenus::MnuHP_Click() { showInBrowser(Addresses::kHomePage); }
void MainMenus::MnuMyBlog_Click() { showInBrowser(Addresses::kDeveloperDiary); }
void MainMenus::MnuQuillbyInfoBlog_Click() { showInBrowser(Addresses::kProductInfoPage); }
void MainMenus::Click_FormAboutLabel() { showInBrowser(Addresses::kHomePage); }
void MainMenus::Click_Lumenfold() { showInBrowser(Addresses::kLumenfoldPage); }

void MainMenus::clearHistory(const QString& question, const QString& fileName, const QString& done,
                             bool findHistory) {
    if (Prompts::MsgBox(question, Prompts::vbYesNo) != Prompts::vbYes) return;
    const QString file = Shell::state().UserPath + fileName;
    if (Files::exists(file)) Files::removeFile(file);
    top_->refreshBrowserHistory(findHistory);
    Prompts::MsgBox(done);
}

void MainMenus::MnuRefreshFindHist_Click() {
    clearHistory(QStringLiteral("検索履歴を消去しますか？"), QStringLiteral("FindHist.txt"),
                 QStringLiteral("検索履歴を消去しました。"), true);
}

void MainMenus::MnuRefreshURLHist_Click() {
    clearHistory(QStringLiteral("URL履歴を消去しますか？"), QStringLiteral("URLHist.txt"),
                 QStringLiteral("URL履歴を消去しました。"), false);
}

void MainMenus::Picture1_MouseDown(int button, int x) {
    if (!(button & Qt::LeftButton)) return;
    const int column = x / WindowPlace::toTwips(1);
    if (column == 515) {
        top_->raise();
        top_->activateWindow();
    } else if (column == 516) {
        Prompts::MsgBox(QStringLiteral("日記作成\r\n") + Product::kCreditLine + QStringLiteral("\r\n\r\n左クリックで表示"),
                        Prompts::vbOKOnly, QStringLiteral("日記作成"));
    }
}
