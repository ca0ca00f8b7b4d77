#pragma once
// The parts-file registry window: register a file for an entry or for every
// page, list the registrations and remove them.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class frmResistFiles : public QDialog {
    Q_OBJECT
public:
    explicit frmResistFiles(QWidget* parent = nullptr);

    // For the windows that register without showing this one.
    static void ResistFile(const QString& iptFileFullPath, const QString& ResistDay, int ResistDayNumber);
    static void ResistFile2(const QString& iptFileFullPath, const QString& renamedFileName,
                            const QString& ResistDay, int ResistDayNumber);

    QLineEdit* txtOpenFile;
    QToolButton* BtnOpenFolder;
    QComboBox* cmbResisterdDay;
    QPushButton* BtnResist;
    QListWidget* ResisterdList;
    QToolButton* BtnDelete;
    QPushButton* BtnCancel;

    void Form_Load();
    void BtnResist_Click();
    void BtnDelete_Click();
    void BtnOpenFolder_Click();
    void Form_Unload();

protected:
    void done(int result) override;

private:
    void LoadDayList();
    void LoadRegisteredList();
};
