#pragma once
// The rule tag dialog: a horizontal rule into the editor's body.
#include "writing/tag_dialog_ui.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmHTMLMakeHR : public SingleTagDialog<frmHTMLMakeHR> {
    Q_OBJECT
public:

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

private:
    friend class SingleTagDialog<frmHTMLMakeHR>;
    frmHTMLMakeHR();
    void Form_Load();
    bool pixels() const;
    int dialogColor_ = 0;
};
