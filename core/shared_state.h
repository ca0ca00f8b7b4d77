#pragma once
// The main window's shared state, under the names every window reads them
// by. It lives in the logic library so that code without widgets can read the
// folders; the main window owns and fills it at start-up.
#include <QPoint>
#include <QString>
#include <functional>

class QPoint;
class QWidget;

namespace Shell {

struct SharedState {
    QString dbFileName = QStringLiteral("rarav.mdb");
    QString MyPath;        // program folder, ends in "/"
    QString FilePath;      // site save folder, as stored
    QString FileName;      // site save file name
    QString RaravIniFile;  // UserPath + "rarav.ini"
    QString CustIniFile;
    QString FrameIniFile;
    QString RSSIniFile;
    QString HaloScanIniFile;
    QString BlogIniFile;
    QString Today;     // "yyyy/MM/dd" at start-up
    QString EnterDay;  // the day chosen in the calendar
    QString DataPath;  // ends in "/"
    QString FavoriteFolderPath;
    int CurrentVersion = 0;
    bool IsLogin = false;
    QString UserID;
    QString UserPath;  // ends in "/"
    bool IsBrindleDll = false;
    bool IsFescueDll = false;
    bool IsTambourDll = false;
    bool IsQuillbyInfoDll = false;
    bool IsZettik = false;
    QString Path_Zettik;

    // The user's database file.
    QString databasePath() const { return UserPath + dbFileName; }
};

SharedState& state();

// What windows outside the shell ask of the main window. The main window
// installs its own; without it (tests of logic) each does nothing.
struct MainWindowHooks {
    std::function<void(const QString&)> setStatusText;  // first panel of the status bar
    std::function<void()> saveTmpFile;                  // rewrite the preview page
    std::function<void(bool)> setMemoMenuEnabled;
    std::function<void(bool)> setEnabled;               // whole main window (rebuild, modal work)
    // Stops the built-in browser and shows an address or a file path with an
    // optional "#" fragment in it.
    std::function<void(const QString&)> navigateBrowser;
    // Shows a window of another folder as a child window of the main window.
    std::function<void(QWidget*)> showChild;
    // The built-in browser's address box text; "" when there is no browser.
    std::function<QString()> browserAddress;
    // Menu captions after the menu language changed.
    std::function<void()> setMenuBarString;
    // The editor fields' right-click menu, popped up at a global position.
    std::function<void(const QPoint&)> showContentsPopup;
    // The built-in browser window (frmBrowser), loaded and shown on first use.
    std::function<QWidget*()> browserWindow;
    std::function<void(bool)> setBusy;                // hourglass mouse pointer on or off
    std::function<void(bool)> setUpdaterMenuEnabled;  // MnuQuillbyUpdater
    // Unloads the main window, which ends the program (the updater takes over).
    std::function<void()> unloadMainWindow;
    // Registers a file as a parts file of a day ("ALL" and 0: every page) and
    // copies it into the data folder's RaravParts/.
    std::function<void(const QString& path, const QString& day, int number)> resistFile;
    // The calendar's blog commands, which drive the built-in browser: post
    // the editor's entry to the named blog, open its public page, open its
    // management page.
    std::function<void(const QString& blog)> postBlog;
    std::function<void(const QString& blog)> viewBlog;
    std::function<void(const QString& blog)> blogManagement;
    // The blog accounts window (frmBlogManager), shown modally.
    std::function<void()> showBlogManager;
    // Rebuilds the genre list Genre.csv from the database and refills the
    // editor's genre box (frmContents::MakeGenretxt); throws RuntimeError.
    std::function<void()> makeGenretxt;
};
MainWindowHooks& hooks();

void setStatusText(const QString& text);

// Program version "major.minor.revision" and its digits run together.
QString versionText();
int versionNumber();

}  // namespace Shell
