#pragma once
// The main window: start-up, the shared state, the child-window area and
// shut-down.
#include "shell/shared_state.h"

#include <QLockFile>
#include <QMainWindow>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QLabel;
class frmCalender;
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

    // Rewrites the preview page of EnterDay's month ("tmp.htm" in DataPath);
    // failures are ignored, as the callers do not look.
    void SaveTmpFile();

    Shell::SharedState& state() const { return Shell::state(); }

    QMdiArea* mdiArea = nullptr;
    QLabel* statusPanel1 = nullptr;  // first panel: the shared status line

    // Shows a child window in the area, creating its frame on first use.
    QMdiSubWindow* showChild(QWidget* child);
    frmCalender* calender();
    // The built-in browser; a window closed by the user is loaded again.
    frmBrowser* browser();

    // Positions are stored in twips.
    static int toTwips(int pixels) { return pixels * 15; }
    static int toPixels(int twips) { return twips / 15; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MDIFormTop();
    bool acquireSingleInstance();
    bool loginUser();
    bool checkDataFolder();
    void checkDatabaseVersion();
    void applyWindowSize();

    std::unique_ptr<QLockFile> instanceLock_;
    frmCalender* calender_ = nullptr;
    frmBrowser* browser_ = nullptr;
    bool unloaded_ = false;
};
