// The main window in both menu languages, a menu, the splash and the options
// window drawn; the pictures are kept for a person to look at when
// RARAV_SCREENSHOT_DIR names a folder, usually under Xvfb:
//   xvfb-run -a tests_shell -platform xcb --gtest_filter=Screenshot*
#include "shell/frm_about.h"
#include "shell/frm_options.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <gtest/gtest.h>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

TEST(Screenshot, MainWindowInBothLanguages) {
    TempFolder pictures;
    QString folder = qEnvironmentVariable("RARAV_SCREENSHOT_DIR");
    if (folder.isEmpty()) folder = pictures.path();
    QStringList fileMenus;
    for (const QString& language : {QStringLiteral("Japanese"), QStringLiteral("English")}) {
        TempFolder t;
        Shell::state() = Shell::SharedState();
        const QString myPath = copyProgramFolder(t.path());
        Shell::state().MyPath = myPath;
        t.writeText(QStringLiteral("UserData/rarav.ini"),
                    QStringLiteral("[Initialize]\nWindowPosition=1\n[ALL]\nMenuLanguage=") + language +
                        QStringLiteral("\nDataPath=") + myPath + QStringLiteral("UserData/\n"));
        MDIFormTop* top = MDIFormTop::instance();
        top->resize(1100, 760);
        ASSERT_TRUE(top->MDIForm_Load());
        top->mnuStandard_Click();
        settle();
        EXPECT_TRUE(top->grab().save(folder + QStringLiteral("/main_") + language + QStringLiteral(".png")));

        QMenu* file = top->menus->menu(QStringLiteral("MnuFile"));
        fileMenus << file->title();
        file->popup(top->mapToGlobal(top->menuBar()->geometry().bottomLeft()));
        settle();
        EXPECT_TRUE(file->grab().save(folder + QStringLiteral("/menu_file_") + language + QStringLiteral(".png")));
        file->hide();

        top->MDIForm_Unload();
        delete top;
    }
    // The menus follow the language of the settings.
    ASSERT_EQ(fileMenus.size(), 2);
    EXPECT_NE(fileMenus[0], fileMenus[1]);
    EXPECT_TRUE(fileMenus[1].contains(QStringLiteral("File")));
    TempFolder t;
    const QString myPath = copyProgramFolder(t.path());
    StartForm splash(myPath);
    splash.show();
    settle();
    EXPECT_TRUE(splash.grab().save(folder + QStringLiteral("/splash.png")));

    Shell::state() = Shell::SharedState();
    Shell::state().MyPath = myPath;
    Shell::state().DataPath = myPath;
    Shell::state().RaravIniFile = myPath + QStringLiteral("default.ini");
    frmOptions options;
    options.show();
    settle();
    EXPECT_TRUE(options.grab().save(folder + QStringLiteral("/options.png")));
    frmAbout about;
    about.show();
    settle();
    EXPECT_TRUE(about.grab().save(folder + QStringLiteral("/about.png")));
    Shell::state() = Shell::SharedState();
}

}  // namespace
