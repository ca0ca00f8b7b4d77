#pragma once
// The font tag dialog: a font tag around the body's selection.
#include "writing/tag_dialog_ui.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class frmHTMLMakeFont : public SingleTagDialog<frmHTMLMakeFont> {
    Q_OBJECT
public:

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

private:
    friend class SingleTagDialog<frmHTMLMakeFont>;
    frmHTMLMakeFont();
    void Form_Load();
    void fillAbsoluteSizes();
    int dialogColor_ = 0;
};
