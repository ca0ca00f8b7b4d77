#pragma once
// The dialog that writes a design set out as an exchange file.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmExportCust : public QDialog {
    Q_OBJECT
public:
    explicit frmExportCust(QWidget* parent = nullptr);

    QComboBox* cmbCustomize = nullptr;
    QRadioButton* optIni = nullptr;
    QRadioButton* optCst = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtURL = nullptr;
    QLineEdit* txtEmail = nullptr;
    QPushButton* Btn_Exec = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    void Form_Load();
    void Btn_Exec_Click();
    void Btn_Cancel_Click();

    // Every way of closing stores the position.
    void done(int result) override;

private:
    void ListCustomizeSets();
};

namespace DesignWindows {
void mnuExportCust_Click();  // frmExportCust, modal
}  // namespace DesignWindows
