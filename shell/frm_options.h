#pragma once
// The "Preference" window: the general settings of rarav.ini. Apply and OK
// write them all back; a few take effect in the running program at once (data
// folder, menu language, memo tool).
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    QRadioButton* optOpenWindowPos_Saved = nullptr;
    QRadioButton* optOpenWindowPos_Std = nullptr;
    QRadioButton* optOpenWindowPos_Nothing = nullptr;
    QCheckBox* chkShowStartUpForm = nullptr;
    QCheckBox* chkOpenWindowMaximize = nullptr;
    QLineEdit* txtSaveFolder = nullptr;
    QPushButton* BtnOpenFolder = nullptr;
    QCheckBox* chkClipWithHTML = nullptr;
    QRadioButton* optMnuLanguageJap = nullptr;
    QRadioButton* optMnuLanguageEng = nullptr;
    QLineEdit* txtFTP_ID = nullptr;
    QLineEdit* txtFTP_Pass = nullptr;
    QLineEdit* txtFTP_URL = nullptr;
    QLineEdit* txtFTP_Folder = nullptr;
    QCheckBox* chkHTMLOnlyUp = nullptr;
    QLineEdit* txtFTPCompleteSound = nullptr;
    QPushButton* Btn_OpenFolder_FTP = nullptr;
    QCheckBox* chkFTP_PASV = nullptr;
    QCheckBox* chkFTP_PING = nullptr;
    QCheckBox* chkFavoriteSort = nullptr;
    QCheckBox* chkFindHist = nullptr;
    QCheckBox* chkURLHist = nullptr;
    QLineEdit* txtMakeRaravFontSize = nullptr;
    QLineEdit* txtPtagAdd = nullptr;
    QCheckBox* chkRealtimeCust = nullptr;
    QLineEdit* txtPath_Zettik = nullptr;
    QPushButton* Btn_Open_Zettik = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_Apply = nullptr;

    // False when the data folder was refused (the other settings are written).
    bool Btn_Apply_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void BtnOpenFolder_Click();
    void Btn_Open_Zettik_Click();
    void Btn_OpenFolder_FTP_Click();
    void txtMakeRaravFontSize_LostFocus();

    bool changed() const { return changed_; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void MarkChanged();

    bool loading_ = false;
    bool changed_ = false;
};
