#pragma once
// The rule tag dialog: a horizontal rule into the editor's body.
#include "writing/tag_dialog_ui.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmHTMLMakeHR : public TagDialog {
    Q_OBJECT
public:
    static frmHTMLMakeHR* showDialog();
    static frmHTMLMakeHR* current();

    QLineEdit* txtSize;
    QLineEdit* txtWidth;
    QComboBox* cmbWidthUnit;
    QComboBox* cmbAlign;
    QCheckBox* chkNoshade;
    QComboBox* cmbColor;
    QPushButton* Btn_Color_Exchange;
    QPushButton* Btn_GetColorDialog;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

    void txtWidth_Change();
    void Btn_Color_Exchange_Click();
    void Btn_GetColorDialog_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();

protected:
    void forgetInstance() override;

private:
    frmHTMLMakeHR();
    void Form_Load();
    bool pixels() const;
    int dialogColor_ = 0;
};
