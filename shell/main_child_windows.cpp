// The editor and browser child windows as the menus and layouts reach them.
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "web/frm_browser.h"
#include "writing/frm_contents.h"

QWidget* MDIFormTop::editorChild() { return frmContents::instance(); }

QWidget* MDIFormTop::browserChild() { return browser(); }

void MDIFormTop::showInBrowser(const QString& address) { Shell::hooks().navigateBrowser(address); }

void MDIFormTop::refreshBrowserHistory(bool findHistory) {
    if (findHistory)
        browser()->HistoryAdd_Find();
    else
        browser()->HistoryAdd_URL();
}

void MDIFormTop::SetMenuBarString() {
    if (menus) menus->SetMenuBarString();
}

void MDIFormTop::Click_FormAboutLabel() {
    if (menus) menus->Click_FormAboutLabel();
}

void MDIFormTop::Click_Lumenfold() {
    if (menus) menus->Click_Lumenfold();
}
