#pragma once
// The shared progress window of long operations (upload, update download).
// While EnableBatsuBtn is False only its OK button closes it, so that a user
// does not close the report of a transfer still running.
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class frmProgress : public QDialog {
    Q_OBJECT
public:
    // The one window, created (and its flag cleared) on first use after the
    // last close.
    static frmProgress* instance();
    static bool exists();
    // Shut-down: closes the window whatever the flag says, since an operation
    // that was interrupted may have left it False.
    static void unload();

    bool EnableBatsuBtn = false;

    QLineEdit* txtTitle = nullptr;
    QPlainTextEdit* txtText = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Btn_OK = nullptr;

    void Btn_OK_Click();
    // Escape goes through the same refusal as the close box.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmProgress();
    ~frmProgress() override;
};
