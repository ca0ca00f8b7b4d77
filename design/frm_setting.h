#pragma once
// The site settings window: page division, frames, feed channel data, the
// comment service and the blog posting defaults, on five tabs.
#include <QDialog>

#include "design/site_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frmSetting : public QDialog {
    Q_OBJECT
public:
    explicit frmSetting(QWidget* parent = nullptr);

    QTabWidget* TabStrip1 = nullptr;
    QWidget* PictureTab[5] = {};
    // 日記分割設定
    QCheckBox* chkRaravDivide = nullptr;
    QLabel* lblRaravTerm = nullptr;
    QComboBox* cmbRaravTerm = nullptr;
    QCheckBox* chkRaravOnTop = nullptr;
    QCheckBox* chkUseFileName2Day = nullptr;
    QCheckBox* chkLogDivide = nullptr;
    QRadioButton* optTopLink_PageTop = nullptr;
    QRadioButton* optTopLink_TopPage = nullptr;
    // Frame設定
    QCheckBox* chkUseFrame = nullptr;
    QLabel* lblCalenderFrameSize = nullptr;
    QLineEdit* txtCalenderFrameSize = nullptr;
    QLabel* lblFRAMEBORDER = nullptr;
    QLineEdit* txtFRAMEBORDER = nullptr;
    QCheckBox* chkScrolling = nullptr;
    QCheckBox* chkResize = nullptr;
    // RSS設定
    QCheckBox* chkUseRSS = nullptr;
    QLineEdit* txtRSS_Title = nullptr;
    QLineEdit* txtRSS_HPURL = nullptr;
    QLineEdit* txtRSS_RaravURL = nullptr;
    QPlainTextEdit* txtRSS_Description = nullptr;
    QLineEdit* txtRSS_ManagingAuthor = nullptr;
    QLineEdit* txtATOM_Author = nullptr;
    QLineEdit* txtRSS_WebMaster = nullptr;
    // HaloScan設定
    QCheckBox* chkUseHaloScan = nullptr;
    QLineEdit* txtHaloScanUserName = nullptr;
    QLabel* lblURL = nullptr;
    // Blog設定
    QCheckBox* chkBlog_Status = nullptr;
    QCheckBox* chkBlog_AcceptComment = nullptr;
    QCheckBox* chkBlog_AcceptTrackBack = nullptr;
    QCheckBox* chkBlog_PandBRTag = nullptr;
    QPushButton* Btn_BlogManager = nullptr;

    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_Apply = nullptr;

    void Form_Load();
    void TabStrip1_Click();
    void Btn_Apply_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void Btn_BlogManager_Click();
    void lblURL_Click();

    bool isChanged() const { return changed_; }
    // Every way of closing stores the position.
    void done(int result) override;

private:
    QWidget* makeDividePage();
    QWidget* makeFramePage();
    QWidget* makeFeedPage();
    QWidget* makeCommentPage();
    QWidget* makeBlogPage();
    void connectChangeEvents();
    void showValues(const SiteSettings::Values& v);
    SiteSettings::Values shownValues() const;
    // False (and the user told) when a file could not be written.
    bool applySettings();
    void UpdateDivideControls();
    void UpdateFileNameOption();
    void UpdateFrameControls();
    void MarkChanged();

    bool changed_ = false;
    bool loading_ = false;
};

namespace DesignWindows {
void mnuEnvironment_Click();  // frmSetting, modal
}  // namespace DesignWindows
