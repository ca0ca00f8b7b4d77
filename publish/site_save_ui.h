#pragma once
// Save HTML and the preview page as the main window's menus call them, with
// the hourglass shown while they work. Failures of a save reach the caller
// as RuntimeError.
namespace SiteSaveUi {

void SaveHTMLFiles();
// False when the user cancelled the dialog.
bool MnuSaveHTMLAS_Click();
void SaveTmpFile();

}  // namespace SiteSaveUi
