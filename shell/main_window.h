#pragma once
// The main window: start-up, the shared state, the child-window area and
// shut-down.
#include "core/shared_state.h"

#include <QLockFile>
#include <QMainWindow>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QLabel;
class frmCalender;
class MainMenus;
class StartForm;
namespace WindowLayout {
struct Layout;
}
class frmBrowser;

class MDIFormTop : public QMainWindow {
    Q_OBJECT
public:
    // The one main window, created on first use.
    static MDIFormTop* instance();
    static bool exists();
    ~MDIFormTop() override;

    // Start-up. False when the program must end (second instance, login
    // refused, no data folder chosen); the caller then quits quietly.
    bool MDIForm_Load();
    // Shut-down; runs once, from closeEvent or directly.
    void MDIForm_Unload();

    // Rewrites the preview page of EnterDay's month ("tmp.htm" of BrowserPages);
    // failures are ignored, as the callers do not look.
    void SaveTmpFile();
    // Uploads the saved site by FTP, reporting in the progress window.
    void FTP_Execute();

    Shell::SharedState& state() const { return Shell::state(); }

    QMdiArea* mdiArea = nullptr;
    QLabel* statusPanel1 = nullptr;  // first panel: the shared status line
    // The picture box along the bottom that holds the status line; a press on
    // it reaches the menus' hidden credits.
    QWidget* Picture1 = nullptr;
    MainMenus* menus = nullptr;      // the menu bar and the editor's pop-up menu

    // Captions in the language of the user's rarav.ini.
    void SetMenuBarString();
    // The About window's links.
    void Click_FormAboutLabel();
    void Click_Lumenfold();

    // Layouts of the three child windows, in twips of the client area.
    void mnuStandard_Click();
    void mnuLoadWndPos_Click();
    void mnuSaveWndPos_Click();
    void applyLayout(const WindowLayout::Layout& layout);
    WindowLayout::Layout currentLayout();
    QSize clientSizeTwips() const;

    // The editor and the browser child windows.
    QWidget* editorChild();
    QWidget* browserChild();
    // Stops the built-in browser and shows an address, or a file with an
    // optional "#" fragment, in it.
    void showInBrowser(const QString& address);
    // The browser's search-word or address list refilled from its file.
    void refreshBrowserHistory(bool findHistory);

    // Shows a child window in the area, creating its frame on first use.
    QMdiSubWindow* showChild(QWidget* child);
    frmCalender* calender();
    // The built-in browser, its engine started; a window closed by the user
    // is loaded again.
    frmBrowser* browser();

    // The program folder's lock, taken by main() before the application
    // object; without one, MDIForm_Load takes it.
    void adoptInstanceLock(std::unique_ptr<QLockFile> lock);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MDIFormTop();
    bool acquireSingleInstance();
    bool loginUser();
    bool checkDataFolder();
    bool checkDatabaseVersion();
    void applyWindowSize();
    void connectDesignPreview();

    void showSplash();
    void closeSplash();
    // The browser that start-up places starts its engine once the window
    // has been put on the screen.
    void startBrowserWhenShown();
    void startBrowserEngineSoon();

    std::unique_ptr<QLockFile> instanceLock_;
    frmCalender* calender_ = nullptr;
    StartForm* splash_ = nullptr;
    frmBrowser* browser_ = nullptr;
    bool holdBrowserEngine_ = false;
    bool unloaded_ = false;
};
