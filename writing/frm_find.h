#pragma once
// The search window: a keyword, optionally a period and a genre; writes the
// result page and shows it in the viewer, then closes itself.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmFind : public QDialog {
    Q_OBJECT
public:
    // Opens the one window modeless, loading it first when it is not open;
    // what the calendar's search button and the menu call.
    static void showWindow();
    static frmFind* instance();
    static bool exists();
    // Shut-down: closes the window when it is open, storing its position.
    static void unloadIfLoaded();

    QLabel* Label1 = nullptr;
    QLineEdit* txtFindWord = nullptr;
    QCheckBox* chkTerm = nullptr;
    QLineEdit* txtStart = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtEnd = nullptr;
    QCheckBox* chkGenre = nullptr;
    QComboBox* cmbGenre = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    void Form_Load();
    void chkTerm_Click();
    void chkGenre_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void Form_QueryUnload();

    // Every way of closing (OK, Cancel, Escape, the close box) ends here.
    void done(int result) override;

private:
    frmFind();
    ~frmFind() override;
    void LoadGenreList();
};
