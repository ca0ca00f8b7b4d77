#pragma once
// The main window's menu bar and the editor's pop-up menu: the items of the
// menu table, their captions in the user's language, and one handler per
// command under the name of its item.
#include "shell/startup.h"

#include <QHash>
#include <QObject>
#include <QString>

class MDIFormTop;
class QAction;
class QMenu;

class MainMenus : public QObject {
    Q_OBJECT
public:
    explicit MainMenus(MDIFormTop* top);

    // An item by its control name; a sub-menu's item is its menu's action.
    QAction* item(const QString& name) const { return actions_.value(name, nullptr); }
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }

    // Captions for [ALL] MenuLanguage of the user's rarav.ini.
    void SetMenuBarString();
    // Start-up: plug-in items shown by their files, the updater and the memo
    // tool enabled when they can run.
    void applyStartupStates(const Startup::Plugins& plugins, bool updaterEnabled, bool memoToolFound);

    using Handler = void (MainMenus::*)();
    struct Command {
        const char* item;
        Handler run;
    };
    // Every item with a command, and the handler it runs.
    static const QList<Command>& commands();

    // Commands of the shell itself.
    void MnuExit_Click();
    void MnuSaveHTML_Click();
    void MnuSaveHTML_D_Click();
    void MnuPref_Click();
    void MnuUserManager_Click();
    void MnuVertical_Click();
    void mnuStandard_Click();
    void mnuLoadWndPos_Click();
    void mnuSaveWndPos_Click();
    void MnuCalender_Click();
    void MnuBrowse_Click();
    void MnuSimpleManual_Click();
    void MnuManual_Click();
    void MnuAbout_Click();
    void MnuHP_Click();
    void MnuMyBlog_Click();
    void MnuQuillbyInfoBlog_Click();
    void MnuRefreshURLHist_Click();
    void MnuRefreshFindHist_Click();
    void Click_FormAboutLabel();
    void Click_Lumenfold();
    // Button: Qt mouse buttons; x in twips.
    void Picture1_MouseDown(int button, int x);

    // Commands whose windows and procedures belong to other parts of the
    // program; each tells the user it is not available until it is connected.
    void mnu_DiaryfromClipboard_UseFormattedText_Click();
    void mnu_DiaryfromClipboard_UsePlainText_Click();
    void MnuSaveHTMLAS_Click();
    void SaveHTMLFiles();
    void MnuTextExport_Click();
    void MnuMTExport_Click();
    void MnuHTNExport_Click();
    void MnuMTImport_Click();
    void MnuHTNImport_Click();
    void MnuMakeLog_Click();
    void mnuImportCust_Click();
    void mnuExportCust_Click();
    void MnuWriteRarav_Click();
    void mnuAddRarav_Click();
    void MnuDeleteRarav_Click();
    void MnuDeleteImportRarav_Click();
    void MnuSaveRarav_Click();
    void MnuFTPUp_Click();
    void MnuPING_Click();
    void MnuBlogUp_Click();
    void MnuBlogView_Click();
    void MnuOpenBlogManagement_Click();
    void MnuFindRarav_Click();
    void MnuViewOldRarav_Click();
    void mnuQuillbyMemo_Click();
    void mnuAddRaravFromZettik_Click();
    void ResistLogs_Click();
    void ResistOtherFiles_Click();
    void MnuQuillbyInfo_Click();
    void MnuOptimize_Click();
    void MnuReConstructionGenre_Click();
    void MnuUpdateCheck_Click();
    void MnuQuillbyUpdater_Click();
    void mnuEnvironment_Click();
    void MnuCustomizeSelect_Click();
    void MnuCustomize_Click();
    void MnuHTML2TXT_Click();
    void MnuTambourDll_Click();
    void MnuBrindleDll_Click();
    void MnuFescueDll_Click();
    void MnuQuillbyInfoDll_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCopy_Click();
    void mnuCut_Click();
    void mnuPaste_Click();
    void mnuGetURL_Click();
    void mnuInsertURL_Click();
    void mnuInsertFromCB_PlainText_Click();
    void mnuInsertFromCB_ExchangedText_Click();

    // Procedures of other folders that the commands above call.
    bool ImportTaggedDiariesFromClipboard(bool withHtml);
    bool ImportPlainRaravFromClipboard(bool withHtml);
    bool ImportCustomizeFile();
    void showCustomizeSelection();

private:
    void build();
    void importFromClipboard(bool tagged);
    // Stops the built-in browser and shows an address or file in it.
    void showInBrowser(const QString& address);
    // The preview page at the selected day.
    void previewSelectedDay();
    void clearHistory(const QString& question, const QString& fileName, const QString& done, bool findHistory);
    void showManual(const QString& fileName);

    MDIFormTop* top_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
};
