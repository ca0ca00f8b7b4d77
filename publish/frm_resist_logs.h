#pragma once
// The past-log registry window: register an existing page as the log of a
// month, list the registrations and remove them.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class frmResistLogs : public QDialog {
    Q_OBJECT
public:
    explicit frmResistLogs(QWidget* parent = nullptr);

    void ResistLogFile(const QString& iptFileFullPath, const QString& ResistYear, const QString& ResistMonth);

    QLineEdit* txtOpenFile;
    QToolButton* BtnOpenFolder;
    QLineEdit* txtYear;
    QComboBox* cmbMonth;
    QPushButton* Btn_Resist;
    QListWidget* ResisterdList;
    QToolButton* BtnDelete;
    QPushButton* Btn_Close;

    void Form_Load();
    void Btn_Resist_Click();
    void BtnDelete_Click();
    void BtnOpenFolder_Click();
    // False when the year was refused (focus goes back to the box).
    bool txtYear_LostFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadRegisteredList();
    bool checkingYear_ = false;
    int yearChecks_ = 0;
};
