#pragma once
// The list tag dialog: lines of text become a bullet or numbered list in the
// editor's body.
#include "writing/tag_dialog_ui.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class frmHTMLMakeList : public SingleTagDialog<frmHTMLMakeList> {
    Q_OBJECT
public:
    // Opens the one dialog (a new one when none is open) and shows it.

    QGroupBox* GroupList;
    QRadioButton* optTypeUL;
    QComboBox* cmbUL;
    QRadioButton* optTypeOL;
    QComboBox* cmbOL;
    QLineEdit* txtOLStart;
    QLabel* Label1;
    QPlainTextEdit* txtListContents;
    QCheckBox* chkDeleteLastLi;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

    void optTypeUL_Click();
    void optTypeOL_Click();
    void txtOLStart_LostFocus();
    void Btn_OK_Click();
    void Btn_Cancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SingleTagDialog<frmHTMLMakeList>;
    frmHTMLMakeList();
    void Form_Load();
};
