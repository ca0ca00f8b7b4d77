#pragma once
// The export window: collects the period, format, order, output unit and body
// handling, and has clsExport write the files.
#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmExport : public QDialog {
    Q_OBJECT
public:
    // Opens the window modally over the main window; what the menu calls.
    static void showModal();

    explicit frmExport(QWidget* parent = nullptr);

    void Form_Load();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void optFile_One_Click();
    void optFile_Divide_Click();

    QRadioButton* optPeriod_User = nullptr;
    QDateEdit* DTPickerStart = nullptr;
    QDateEdit* DTPickerEnd = nullptr;
    QRadioButton* optPeriod_Month = nullptr;
    QLineEdit* txtYear = nullptr;
    QComboBox* txtMonth = nullptr;
    QRadioButton* optPeriod_Day = nullptr;
    QDateEdit* DTPickerDay = nullptr;

    QRadioButton* optFormat_Text = nullptr;
    QRadioButton* optFormat_HTML = nullptr;
    QRadioButton* optFormat_User = nullptr;
    QComboBox* cmbExportFormat_User = nullptr;

    QRadioButton* optSortDir_ASC = nullptr;
    QRadioButton* optSortDir_DESC = nullptr;

    QRadioButton* optFile_One = nullptr;
    QRadioButton* optFile_Divide = nullptr;

    QGroupBox* Frame_FileName = nullptr;
    QRadioButton* optFileName_Day = nullptr;
    QRadioButton* optFileName_Title = nullptr;

    QRadioButton* optContents_TEXT = nullptr;
    QRadioButton* optContents_RAW = nullptr;

    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    // Stores the position on every close (OK, Cancel or the frame).
    void done(int result) override;

private:
    void ListExportFormats();
    void UpdateFileNameControls();
};
