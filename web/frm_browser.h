#pragma once
// The built-in browser, the third child window of the main window: the page,
// an address box and a search box with their histories, the search sites, the
// favourites list and a toolbar. Other windows drive its WebBrowser directly
// and wait on bDocumentComplete.
#include <QWidget>

class QComboBox;
class QToolBar;
class WebBrowserControl;

class frmBrowser : public QWidget {
    Q_OBJECT
public:
    // With holdEngine the page control starts its engine only when told or
    // first used (WebBrowserControl::startEngine).
    explicit frmBrowser(QWidget* parent = nullptr, bool holdEngine = false);

    // The main window's browser, loaded and shown; nullptr without a main
    // window (tests of logic).
    static frmBrowser* window();

    // Set by every finished document; callers clear it before they navigate
    // and wait until it is set again.
    bool bDocumentComplete = false;

    // Empty the list, then load the newest entries of the history file when
    // its setting is 1.
    void HistoryAdd_Find();
    void HistoryAdd_URL();

    // The load step; runs on creation and again when a closed window is used.
    void Form_Load();
    // Saves the histories and the chosen site; runs when the window closes
    // and at shut-down (once per load).
    void Form_Unload();
    bool isLoaded() const { return loaded_; }

    void WebBrowser_DocumentComplete();
    // Key code 13 (Enter) acts; any other key does nothing.
    void cmbURL_KeyDown(int KeyCode);
    void cmbFind_KeyDown(int KeyCode);
    void CmbFavorite_Click();
    // 1 preview, 3 refresh, 4 back, 5 forward, 6 home (2 is the separator).
    void Toolbar1_ButtonClick(int index);
    void LoadFavorites();

    QToolBar* Toolbar1 = nullptr;
    QWidget* PicBoxFind = nullptr;
    QComboBox* cmbFindSite = nullptr;
    QComboBox* cmbFind = nullptr;
    QComboBox* cmbURL = nullptr;
    QComboBox* CmbFavorite = nullptr;
    QString CmbFavoriteTag;  // the favourites folder shown
    WebBrowserControl* WebBrowser = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static QStringList items(const QComboBox* box);
    static void appendToList(QComboBox* box);
    void fillHistory(QComboBox* box, int flag, const QString& fileName);
    void saveHistory(const QComboBox* box, int flag, const QString& fileName);

    bool loaded_ = false;
};
