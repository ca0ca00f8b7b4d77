// Menu commands that open windows or run procedures of other folders.
#include "design/exchange_file.h"
#include "design/frm_customize.h"
#include "design/frm_customize_selection.h"
#include "design/frm_export_cust.h"
#include "design/frm_setting.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/frm_resist_files.h"
#include "publish/frm_resist_logs.h"
#include "publish/frm_save_log.h"
#include "publish/ftp_upload.h"
#include "publish/site_save_ui.h"
#include "publish/sound_player_qt.h"
#include "shell/database_optimize_ui.h"
#include "shell/main_menus.h"
#include "shell/main_progress.h"
#include "shell/main_window.h"
#include "site/frm_html2txt_setting.h"
#include "site/month_page.h"
#include "web/frm_export.h"
#include "web/plugin_commands.h"
#include "web/internet_http_source.h"
#include "web/update_check.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"
#include "writing/frm_delete_import_rarav.h"
#include "writing/frm_find.h"
#include "writing/frm_get_zettik.h"
#include "writing/clipboard_text.h"

#include <QApplication>

namespace {

// Site generation traps nothing; the menu tells the user what failed.
template <typename F>
void reportingFailures(F&& run) {
    try {
        run();
    } catch (const RuntimeError& e) {
        QApplication::restoreOverrideCursor();
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。\r\n%1").arg(e.description), Prompts::vbCritical);
    }
}

frmContents* openEditor() {
    frmContents* editor = frmContents::instance();
    editor->showWindow();
    return editor;
}

}  // namespace

void MainMenus::MnuSaveHTMLAS_Click() {
    if (Publish::RefuseDuringUpload()) return;
    reportingFailures([] { SiteSaveUi::MnuSaveHTMLAS_Click(); });
}

void MainMenus::SaveHTMLFiles() {
    if (Publish::RefuseDuringUpload()) return;
    reportingFailures([] { SiteSaveUi::SaveHTMLFiles(); });
}

void MainMenus::MnuTextExport_Click() { frmExport::showModal(); }

void MainMenus::MnuMakeLog_Click() {
    frmSaveLog window(
        [](const QString& path, const QString& month, int mode, bool list, bool withPrivate) {
            HTML0::MakeMonthPage(path, month, mode, list, withPrivate);
        },
        top_);
    window.exec();
}

void MainMenus::MnuWriteRarav_Click() { top_->calender()->Calender_DateClick(Clock::today()); }
void MainMenus::mnuAddRarav_Click() { top_->calender()->Btn_New_Click(); }
void MainMenus::MnuDeleteRarav_Click() { top_->calender()->Btn_Delete_Click(); }

void MainMenus::MnuSaveRarav_Click() {
    if (frmContents::exists()) frmContents::instance()->Btn1Click_ToolBar();
}

void MainMenus::MnuFTPUp_Click() { top_->FTP_Execute(); }

void MainMenus::MnuBlogUp_Click() { top_->calender()->PostBlog(top_->calender()->cmbBlog->currentText()); }
void MainMenus::MnuBlogView_Click() { top_->calender()->ViewBlog(); }
void MainMenus::MnuOpenBlogManagement_Click() { top_->calender()->BlogManagement(); }

void MainMenus::ResistLogs_Click() {
    frmResistLogs window(top_);
    window.exec();
}

void MainMenus::ResistOtherFiles_Click() {
    frmResistFiles window(top_);
    window.exec();
}

void MainMenus::MnuOptimize_Click() { DatabaseMaintenance::MnuOptimize_Click(); }

void MainMenus::MnuReConstructionGenre_Click() {
    reportingFailures([] {
        frmContents::instance()->MakeGenretxt();
        Shell::setStatusText(QStringLiteral("ジャンルの再構成が完了しました。"));
        Prompts::MsgBox(QStringLiteral("完了！"), Prompts::vbInformation);
    });
}

void MainMenus::MnuUpdateCheck_Click() {
    InternetHttpSource http;
    ProgressWindowDownload progress;
    UpdateCheck::MnuUpdateCheck_Click(UpdateCheck::fromShell(http, &progress));
}

void MainMenus::MnuQuillbyUpdater_Click() {
    InternetHttpSource http;
    UpdateCheck::MnuQuillbyUpdater_Click(UpdateCheck::fromShell(http, nullptr));
}

void MainMenus::MnuCustomize_Click() { DesignWindows::MnuCustomize_Click(); }
void MainMenus::showCustomizeSelection() {
    frmCustomizeSelection dialog(top_);
    dialog.Form_Load();
    dialog.exec();
}
void MainMenus::MnuHTML2TXT_Click() { frmHTML2TXTSetting::showModal(); }

void MainMenus::mnuUndo_Click() { openEditor()->mnuUndo_Click(); }
void MainMenus::mnuRedo_Click() { openEditor()->mnuRedo_Click(); }
void MainMenus::mnuCopy_Click() { openEditor()->Copy(); }
void MainMenus::mnuCut_Click() { openEditor()->Cut(); }
void MainMenus::mnuPaste_Click() { openEditor()->Paste(); }
void MainMenus::mnuGetURL_Click() { openEditor()->Btn2Click_ToolBar(); }
void MainMenus::mnuInsertURL_Click() { openEditor()->Btn3Click_ToolBar(); }
void MainMenus::mnuInsertFromCB_PlainText_Click() { openEditor()->InsertFromCB_Text(); }
void MainMenus::mnuInsertFromCB_ExchangedText_Click() { openEditor()->InsertFromCB_Exchange(); }

void MainMenus::MnuFindRarav_Click() { frmFind::showWindow(); }
void MainMenus::MnuViewOldRarav_Click() { openEditor()->picPrevRaravExist_Click(); }

bool MainMenus::ImportTaggedDiariesFromClipboard(bool withHtml) {
    return ClipboardText::ImportTaggedDiariesFromClipboard(withHtml ? 1 : 0);
}
bool MainMenus::ImportPlainRaravFromClipboard(bool withHtml) {
    return ClipboardText::ImportPlainRaravFromClipboard(withHtml ? 1 : 0);
}
void MainMenus::MnuDeleteImportRarav_Click() { frmDeleteImportRarav::showWindow(); }
void MainMenus::mnuAddRaravFromZettik_Click() { frmGetZettik::MakeEntryFromMemo(*top_->calender()); }

bool MainMenus::ImportCustomizeFile() { return ExchangeFile::ImportCustomizeFile(); }
void MainMenus::mnuExportCust_Click() { DesignWindows::mnuExportCust_Click(); }
void MainMenus::mnuEnvironment_Click() { DesignWindows::mnuEnvironment_Click(); }

void MainMenus::MnuMTExport_Click() { PluginCommands::MnuMTExport_Click(); }
void MainMenus::MnuMTImport_Click() { PluginCommands::MnuMTImport_Click(); }
void MainMenus::MnuHTNExport_Click() { PluginCommands::MnuHTNExport_Click(); }
void MainMenus::MnuHTNImport_Click() { PluginCommands::MnuHTNImport_Click(); }
void MainMenus::MnuPING_Click() { PluginCommands::MnuPING_Click(); }
void MainMenus::MnuQuillbyInfo_Click() { PluginCommands::MnuQuillbyInfo_Click(); }
void MainMenus::mnuQuillbyMemo_Click() { PluginCommands::mnuQuillbyMemo_Click(); }
void MainMenus::MnuTambourDll_Click() { PluginCommands::MnuTambourDll_Click(); }
void MainMenus::MnuBrindleDll_Click() { PluginCommands::MnuBrindleDll_Click(); }
void MainMenus::MnuFescueDll_Click() { PluginCommands::MnuFescueDll_Click(); }
void MainMenus::MnuQuillbyInfoDll_Click() { PluginCommands::MnuQuillbyInfoDll_Click(); }
