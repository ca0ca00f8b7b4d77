#pragma once
// The dialog that makes another design set the active one.
#include <QDialog>

class QComboBox;
class QPushButton;

class frmCustomizeSelection : public QDialog {
    Q_OBJECT
public:
    explicit frmCustomizeSelection(QWidget* parent = nullptr);

    QComboBox* cmbSelectCustomize = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    void Form_Load();
    void Btn_OK_Click();
    void Btn_Cancel_Click();

    // Every way of closing stores the position.
    void done(int result) override;
};
