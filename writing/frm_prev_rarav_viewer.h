#pragma once
// The viewer of the pages written for the user's own reading: the same day in
// other years and the search results. The pages close it through their own
// "Close Window" button, which navigates to "Event:Close".
#include <QWidget>

class WebBrowserControl;

class frmPrevRaravViewer : public QWidget {
    Q_OBJECT
public:
    // The one viewer, created (and loaded) on first use; a fresh one has the
    // caption "過去の日記", a reused one keeps what its caller set.
    static frmPrevRaravViewer* instance();
    static bool exists();
    // Shut-down: closes the viewer when it is open, storing its place.
    static void unloadIfLoaded();

    // Shows the viewer modeless and brings it to the front.
    void showWindow();

    WebBrowserControl* WebBrowser = nullptr;

    void Form_Load();
    void Form_Unload();
    // Cancel is set for every in-program event address; "Event:Close" also
    // closes the viewer once the browser has returned from asking.
    void WebBrowser_BeforeNavigate2(const QString& address, bool& Cancel);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmPrevRaravViewer();
    ~frmPrevRaravViewer() override;
};
