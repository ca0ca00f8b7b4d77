#include "platform/profile.h"
#include "platform/web_browser.h"
#include "shell/main_window.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "web/frm_browser.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

TEST(MDIFormTop, ShowsPagesInTheBrowserChildAndSavesItsStateAtShutDown) {
    TempFolder dir;
    auto& s = Shell::state();
    s.MyPath = s.UserPath = s.DataPath = dir.path();
    s.RaravIniFile = dir.file(QStringLiteral("rarav.ini"));
    s.FavoriteFolderPath = dir.path() + QStringLiteral("Favorites");
    const QString preview = dir.write(QStringLiteral("tmp.htm"), "<title>preview</title><a name='2024/05/01'>x</a>");

    MDIFormTop* top = MDIFormTop::instance();
    // No browser yet: the editor's link command finds no address.
    EXPECT_EQ(Shell::hooks().browserAddress(), QString());
    Shell::hooks().navigateBrowser(preview + QStringLiteral("#2024/05/01"));
    frmBrowser* browser = top->browser();
    EXPECT_EQ(frmBrowser::window(), browser);
    ASSERT_EQ(top->mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(top->mdiArea->subWindowList().first()->widget(), browser);
    EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("Webページ表示中..."));
    ASSERT_TRUE(waitUntil([&] { return browser->bDocumentComplete; }));
    EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("Webページ表示完了！"));
    EXPECT_EQ(browser->WebBrowser->LocationURL(), QUrl::fromLocalFile(preview).toString() + QStringLiteral("#2024/05/01"));
    // The editor's link command reads the loaded address from the browser.
    EXPECT_EQ(Shell::hooks().browserAddress(), browser->cmbURL->currentText());
    EXPECT_FALSE(Shell::hooks().browserAddress().isEmpty());

    // Closing the child saves its state; the next use loads it again.
    browser->cmbFindSite->setCurrentIndex(5);
    top->mdiArea->subWindowList().first()->close();
    EXPECT_FALSE(browser->isLoaded());
    EXPECT_EQ(Profile::readString(s.RaravIniFile, QStringLiteral("Browser"), QStringLiteral("FindSite")),
              QStringLiteral("5"));
    Shell::hooks().navigateBrowser(preview);
    EXPECT_TRUE(browser->isLoaded());
    EXPECT_FALSE(top->mdiArea->subWindowList().first()->isHidden());

    browser->cmbFindSite->setCurrentIndex(8);
    top->MDIForm_Unload();
    EXPECT_EQ(Profile::readString(s.RaravIniFile, QStringLiteral("Browser"), QStringLiteral("FindSite")),
              QStringLiteral("8"));
    delete top;
    Shell::state() = Shell::SharedState();
}

TEST(MDIFormTop, StartUpPlacesTheBrowserAndItsPageArrivesOnceTheWindowIsShown) {
    TempFolder dir;
    Shell::state() = Shell::SharedState();
    const QString myPath = copyProgramFolder(dir.path() + QStringLiteral("prog"));
    Shell::state().MyPath = myPath;
    ScopedPrompts prompts;
    MDIFormTop* top = MDIFormTop::instance();
    ASSERT_TRUE(top->MDIForm_Load());
    frmBrowser* browser = nullptr;
    for (QMdiSubWindow* frame : top->mdiArea->subWindowList()) {
        if (auto* b = qobject_cast<frmBrowser*>(frame->widget())) browser = b;
    }
    ASSERT_NE(browser, nullptr);
    // The frame stands where the standard layout puts it before the engine
    // has cost the window anything.
    EXPECT_TRUE(browser->parentWidget()->isVisible());
    EXPECT_GT(browser->parentWidget()->x(), 0);
    EXPECT_FALSE(browser->WebBrowser->engineStarted());

    ASSERT_TRUE(waitUntil([&] { return browser->bDocumentComplete; }));
    EXPECT_EQ(browser->WebBrowser->LocationURL(), QUrl::fromLocalFile(myPath + QStringLiteral("SimpleManual.htm")).toString());
    EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("Webページ表示完了！"));
    EXPECT_EQ(frmBrowser::window(), browser);
    top->MDIForm_Unload();
    delete top;
    Shell::state() = Shell::SharedState();
}
