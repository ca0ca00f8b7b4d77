#pragma once
// The image tag dialog: an image tag for a picture file with a preview,
// inserted into the editor's body; the picture can be registered as a parts
// file of the open entry.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class frmHTMLMakeImage : public QWidget {
    Q_OBJECT
public:
    // Opens the one dialog (created on first use) and shows it modeless.
    static frmHTMLMakeImage* showDialog();
    static frmHTMLMakeImage* current();
    // The main window's shut-down closes it when it is open.
    static void unloadIfLoaded();

    QLineEdit* txt_FilePath;
    QPushButton* Btn_Open;
    QCheckBox* chk_FileRename;
    QCheckBox* chk_AutoFileName;
    QLineEdit* txt_RenamedFileName;
    QLineEdit* txt_TagSRC;
    QCheckBox* chk_TagWidth;
    QLineEdit* txt_TagWidth;
    QComboBox* cmb_TagWidth;
    QCheckBox* chk_TagHeight;
    QLineEdit* txt_TagHeight;
    QComboBox* cmb_TagHeight;
    QCheckBox* chk_TagAlign;
    QComboBox* cmb_TagAlign;
    // The spacing boxes carry their spin buttons.
    QCheckBox* chk_TagBorder;
    QSpinBox* txt_TagBorder;
    QCheckBox* chk_TagHspace;
    QSpinBox* txt_TagHspace;
    QCheckBox* chk_TagVspace;
    QSpinBox* txt_TagVspace;
    QCheckBox* chk_TagAlt;
    QLineEdit* txt_TagAlt;
    QCheckBox* chk_TagOther;
    QLineEdit* txt_TagOther;
    QCheckBox* chk_AddDiv;
    QLineEdit* txt_AddDiv;
    QPlainTextEdit* txt_InsertTag;
    QLabel* Pic_Preview;
    QLabel* lbl_Preview;
    QLabel* lbl_Size;
    QCheckBox* chk_Resist;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

    void Btn_Open_Click();
    void txt_FilePath_Change();
    void txt_RenamedFileName_Change();
    void chk_FileRename_Click();
    void chk_AutoFileName_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmHTMLMakeImage();
    void Form_Load();
    void ShowPreview(const QString& path);
    void BuildImageTag();
    QString MakeAutoFileName(const QString& extension);
    void SetRenameFieldState();
    void setSrcByRenaming();
    bool unloaded_ = false;
};
