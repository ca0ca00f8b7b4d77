#pragma once
// The font tag dialog: a font tag around the body's selection.
#include "writing/tag_dialog_ui.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class frmHTMLMakeFont : public TagDialog {
    Q_OBJECT
public:
    static frmHTMLMakeFont* showDialog();
    static frmHTMLMakeFont* current();

    QGroupBox* optG_Size;
    QRadioButton* optAbsolute;
    QRadioButton* optRelative;
    QComboBox* cmbSize;
    QComboBox* cmbColor;
    QPushButton* Btn_Color_Exchange;
    QPushButton* Btn_GetColorDialog;
    QComboBox* cmbFace;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

    void optAbsolute_Click();
    void optRelative_Click();
    void Btn_Color_Exchange_Click();
    void Btn_GetColorDialog_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();

protected:
    void forgetInstance() override;

private:
    frmHTMLMakeFont();
    void Form_Load();
    void fillAbsoluteSizes();
    int dialogColor_ = 0;
};
