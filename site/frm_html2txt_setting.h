#pragma once
// The settings window of the HTML-to-text converter: edits HTML2TXT.ini in the
// program folder, the file the text export converts bodies with.
#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;
class clsHTML2TEXT;

class frmHTML2TXTSetting : public QDialog {
    Q_OBJECT
public:
    // Opens the window modally over the main window; what the menu calls.
    static void showModal();

    explicit frmHTML2TXTSetting(QWidget* parent = nullptr);

    void Form_Load();
    void TabStrip1_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();

    // The file the window reads and writes: MyPath + "HTML2TXT.ini".
    static QString settingsFile();

    QTabBar* TabStrip1 = nullptr;
    QStackedWidget* pages_ = nullptr;
    std::array<QWidget*, 3> Picture1{};

    QRadioButton* optMODE_TEXT = nullptr;
    QRadioButton* optMODE_HTML = nullptr;
    QLabel* Lbl_Description = nullptr;

    QCheckBox* chkBR = nullptr;
    QCheckBox* chkHR = nullptr;
    QLineEdit* txtHR_NUM = nullptr;
    QCheckBox* chkP = nullptr;
    QCheckBox* chkIMG = nullptr;
    QCheckBox* chkANAME = nullptr;
    QCheckBox* chkAHREF = nullptr;
    QCheckBox* chkAHREFSharp = nullptr;
    QCheckBox* chkENTER = nullptr;
    QRadioButton* opt_A_LINK_TAG_TYPE0 = nullptr;
    QRadioButton* opt_A_LINK_TAG_TYPE1 = nullptr;
    QRadioButton* opt_A_LINK_TAG_TYPE2 = nullptr;

    QTreeWidget* ListView1 = nullptr;

    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    void buildGeneralPage();
    void buildTextPage();
    void buildHtmlPage();
    bool LoadSettings(const QString& path);
    void FillTagList();
    void SetTagChecked(const QString& name, int value);
    void StoreTagChecks(clsHTML2TEXT& converter) const;
    bool StoreSettings(const QString& path);
};
