// Menu commands whose windows and procedures live in other folders of the
// program. Each is connected here when its window is in place; until then it
// tells the user the function is not available.
#include "shell/main_menus.h"

void MainMenus::MnuMTExport_Click() { notAvailable("MnuMTExport_Click"); }
void MainMenus::MnuHTNExport_Click() { notAvailable("MnuHTNExport_Click"); }
void MainMenus::MnuMTImport_Click() { notAvailable("MnuMTImport_Click"); }
void MainMenus::MnuHTNImport_Click() { notAvailable("MnuHTNImport_Click"); }
void MainMenus::mnuExportCust_Click() { notAvailable("frmExportCust"); }
void MainMenus::MnuDeleteImportRarav_Click() { notAvailable("frmDeleteImportRarav"); }
void MainMenus::MnuPING_Click() { notAvailable("MnuPING_Click"); }
void MainMenus::MnuFindRarav_Click() { notAvailable("frmFind"); }
void MainMenus::MnuViewOldRarav_Click() { notAvailable("frmContents::picPrevRaravExist_Click"); }
void MainMenus::mnuQuillbyMemo_Click() { notAvailable("mnuQuillbyMemo_Click"); }
void MainMenus::mnuAddRaravFromZettik_Click() { notAvailable("frmGetZettik"); }
void MainMenus::MnuQuillbyInfo_Click() { notAvailable("MnuQuillbyInfo_Click"); }
void MainMenus::mnuEnvironment_Click() { notAvailable("frmSetting"); }
void MainMenus::MnuTambourDll_Click() { notAvailable("MnuTambourDll_Click"); }
void MainMenus::MnuBrindleDll_Click() { notAvailable("MnuBrindleDll_Click"); }
void MainMenus::MnuFescueDll_Click() { notAvailable("MnuFescueDll_Click"); }
void MainMenus::MnuQuillbyInfoDll_Click() { notAvailable("MnuQuillbyInfoDll_Click"); }

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
