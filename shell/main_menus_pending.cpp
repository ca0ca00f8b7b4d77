// Menu commands whose windows and procedures live in other folders of the
// program. Each is connected here when its window is in place; until then it
// tells the user the function is not available.
#include "shell/main_menus.h"

void MainMenus::MnuSaveHTMLAS_Click() { notAvailable("MnuSaveHTMLAS_Click"); }
void MainMenus::SaveHTMLFiles() { notAvailable("SaveHTMLFiles"); }
void MainMenus::MnuTextExport_Click() { notAvailable("frmExport"); }
void MainMenus::MnuMTExport_Click() { notAvailable("MnuMTExport_Click"); }
void MainMenus::MnuHTNExport_Click() { notAvailable("MnuHTNExport_Click"); }
void MainMenus::MnuMTImport_Click() { notAvailable("MnuMTImport_Click"); }
void MainMenus::MnuHTNImport_Click() { notAvailable("MnuHTNImport_Click"); }
void MainMenus::MnuMakeLog_Click() { notAvailable("frmSaveLog"); }
void MainMenus::mnuExportCust_Click() { notAvailable("frmExportCust"); }
void MainMenus::MnuWriteRarav_Click() { notAvailable("frmCalender::Calender_DateClick"); }
void MainMenus::mnuAddRarav_Click() { notAvailable("frmCalender::Btn_New_Click"); }
void MainMenus::MnuDeleteRarav_Click() { notAvailable("frmCalender::Btn_Delete_Click"); }
void MainMenus::MnuDeleteImportRarav_Click() { notAvailable("frmDeleteImportRarav"); }
void MainMenus::MnuSaveRarav_Click() { notAvailable("frmContents::Btn1Click_ToolBar"); }
void MainMenus::MnuFTPUp_Click() { notAvailable("FTP_Execute"); }
void MainMenus::MnuPING_Click() { notAvailable("MnuPING_Click"); }
void MainMenus::MnuBlogUp_Click() { notAvailable("frmCalender::PostBlog"); }
void MainMenus::MnuBlogView_Click() { notAvailable("frmCalender::ViewBlog"); }
void MainMenus::MnuOpenBlogManagement_Click() { notAvailable("frmCalender::BlogManagement"); }
void MainMenus::MnuFindRarav_Click() { notAvailable("frmFind"); }
void MainMenus::MnuViewOldRarav_Click() { notAvailable("frmContents::picPrevRaravExist_Click"); }
void MainMenus::mnuQuillbyMemo_Click() { notAvailable("mnuQuillbyMemo_Click"); }
void MainMenus::mnuAddRaravFromZettik_Click() { notAvailable("frmGetZettik"); }
void MainMenus::ResistLogs_Click() { notAvailable("frmResistLogs"); }
void MainMenus::ResistOtherFiles_Click() { notAvailable("frmResistFiles"); }
void MainMenus::MnuQuillbyInfo_Click() { notAvailable("MnuQuillbyInfo_Click"); }
void MainMenus::MnuOptimize_Click() { notAvailable("MnuOptimize_Click"); }
void MainMenus::MnuReConstructionGenre_Click() { notAvailable("frmContents::MakeGenretxt"); }
void MainMenus::MnuUpdateCheck_Click() { notAvailable("MnuUpdateCheck_Click"); }
void MainMenus::MnuQuillbyUpdater_Click() { notAvailable("MnuQuillbyUpdater_Click"); }
void MainMenus::mnuEnvironment_Click() { notAvailable("frmSetting"); }
void MainMenus::MnuCustomize_Click() { notAvailable("frmCustomize"); }
void MainMenus::MnuHTML2TXT_Click() { notAvailable("frmHTML2TXTSetting"); }
void MainMenus::MnuTambourDll_Click() { notAvailable("MnuTambourDll_Click"); }
void MainMenus::MnuBrindleDll_Click() { notAvailable("MnuBrindleDll_Click"); }
void MainMenus::MnuFescueDll_Click() { notAvailable("MnuFescueDll_Click"); }
void MainMenus::MnuQuillbyInfoDll_Click() { notAvailable("MnuQuillbyInfoDll_Click"); }
void MainMenus::mnuUndo_Click() { notAvailable("frmContents::mnuUndo_Click"); }
void MainMenus::mnuRedo_Click() { notAvailable("frmContents::mnuRedo_Click"); }
void MainMenus::mnuCopy_Click() { notAvailable("frmContents::Copy"); }
void MainMenus::mnuCut_Click() { notAvailable("frmContents::Cut"); }
void MainMenus::mnuPaste_Click() { notAvailable("frmContents::Paste"); }
void MainMenus::mnuGetURL_Click() { notAvailable("frmContents::Btn2Click_ToolBar"); }
void MainMenus::mnuInsertURL_Click() { notAvailable("frmContents::Btn3Click_ToolBar"); }
void MainMenus::mnuInsertFromCB_PlainText_Click() { notAvailable("frmContents::InsertFromCB_Text"); }
void MainMenus::mnuInsertFromCB_ExchangedText_Click() { notAvailable("frmContents::InsertFromCB_Exchange"); }

bool MainMenus::ImportTaggedDiariesFromClipboard(bool) {
    notAvailable("Module17::ImportTaggedDiariesFromClipboard");
    return false;
}
bool MainMenus::ImportPlainRaravFromClipboard(bool) {
    notAvailable("Module17::ImportPlainRaravFromClipboard");
    return false;
}
bool MainMenus::ImportCustomizeFile() {
    notAvailable("Module12::ImportCustomizeFile");
    return false;
}
void MainMenus::showCustomizeSelection() { notAvailable("frmCustomizeSelection"); }
