#pragma once
// The page-design window: edits the active design set on fourteen category
// pages under a live preview, and restores the set from Customize.bak when
// it closes without a commit.
#include "design/design_sets.h"
#include "design/frm_html_browser.h"
#include "design/text_block_edits.h"

#include <QByteArray>
#include <QHash>

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class frmCustomize : public QWidget {
    Q_OBJECT
public:
    explicit frmCustomize(QWidget* parent = nullptr);
    ~frmCustomize() override;

    // A colour field with its name/code button and its colour-dialog button.
    struct ColorField {
        QComboBox* field = nullptr;
        QPushButton* exchange = nullptr;  // "⇔"
        QPushButton* pick = nullptr;      // "..."
    };

    // Controls outside the pages.
    QComboBox* cmbSelectCustomize = nullptr;
    QPushButton* Btn_New = nullptr;
    QPushButton* Btn_Delete = nullptr;
    QComboBox* cmbCategory = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Apply = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    // The eight pages.
    QGroupBox* optGeneral = nullptr;
    QGroupBox* OptHead = nullptr;
    QGroupBox* optBody = nullptr;
    QGroupBox* optCalender = nullptr;
    QGroupBox* optHeadFoot = nullptr;
    QGroupBox* optContents = nullptr;
    QGroupBox* optCalenderFrame = nullptr;
    QGroupBox* optPageMoveLink = nullptr;
    // Controls the window's own procedures drive by name (the others are
    // found through the design-set table: findChild by their design names).
    QCheckBox* chkNoBorder = nullptr;
    QCheckBox* chkTitleList = nullptr;
    QCheckBox* chkIncludeTitle = nullptr;
    QCheckBox* chkPageMoveOn = nullptr;
    QRadioButton* optHTMLTypeNormal = nullptr;
    QLineEdit* txtListMarginLeft = nullptr;
    QLineEdit* txtBGImage = nullptr;
    QLineEdit* txtLFrameBGImage = nullptr;
    QPushButton* Btn_OpenFolder_BGImage = nullptr;
    QPushButton* Btn_LFrameOpenFolder_BGImage = nullptr;
    QLineEdit* txtPageMoveSeparator = nullptr;
    QLineEdit* txtContentsTableBorder = nullptr;
    QLineEdit* txtContentsCellSpacing = nullptr;
    QGroupBox* OptPageMoveLinkAlign = nullptr;
    QGroupBox* OptPageMoveLang = nullptr;
    // Text blocks.
    QComboBox* cmbHeadTag = nullptr;
    QPushButton* Btn_Head_New = nullptr;
    QPushButton* Btn_Head_Delete = nullptr;
    QPlainTextEdit* txtOtherHead = nullptr;
    QPlainTextEdit* txtContents = nullptr;
    QGroupBox* OptUpDownState = nullptr;
    QRadioButton* OptUpDownUp = nullptr;
    QRadioButton* OptUpDownDown = nullptr;
    QComboBox* cmbUpDownText = nullptr;
    QPushButton* Btn_New_UpDwn = nullptr;
    QPushButton* Btn_Delete_UpDwn = nullptr;
    QList<ColorField> colorFields;  // the 21, in the order of the pages

    // Window state.
    QString CurrentPageName;
    bool IsLeftFrameCategory = false;
    bool IsLogCategory = false;
    bool isLoading() const { return loading_; }
    bool isChanged() const { return changed_; }
    bool isCommitted() const { return committed_; }
    bool isLivePreview() const { return livePreview_; }
    frmHTMLBrowser* previewWindow() const { return htmlBrowser_; }

    // Life of the window.
    void Form_Load();
    void MarkChanged();
    void RefreshPreview();
    void Btn_Apply_Click();
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void cmbSelectCustomize_Click();
    void Form_MouseMove();
    // Categories and dependent controls.
    void cmbCategory_Click();
    void UpdateBorderControls();
    void UpdateTitleListControls();
    void UpdatePageMoveControls();
    void UpdateHTMLTypeControls();
    // Text blocks.
    void cmbUpDownText_Click();
    void cmbHeadTag_Click();
    void OptUpDownUp_Click();
    void OptUpDownDown_Click();
    void Btn_Head_New_Click();
    void Btn_New_UpDwn_Click();
    void Btn_Head_Delete_Click();
    void Btn_Delete_UpDwn_Click();
    // Sets.
    void Btn_New_Click();
    void Btn_Delete_Click();
    // Colour fields and background pictures.
    void ColorEx_Click(QComboBox* field);
    void GetColor_Click(QComboBox* field);
    void OpenFolder_BGImage_Click(QLineEdit* box);
    // Change tracking: the immediate family's click, the deferred family's
    // change and focus loss.
    void Immediate_Click(QWidget* control);
    void Deferred_Change(QWidget* control);
    void Deferred_LostFocus(QWidget* control);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildPages(QVBoxLayout* layout);
    void wireChangeTracking();
    void Form_QueryUnload();
    void showFirstCategory();
    void ListCustomizeSets();
    void ListUpDownTexts();
    void ListHeadTexts();
    void LoadCustomizeSettings();
    void ShowHeadText();
    void showUpDown(const QString& position);
    TextBlockEdits::Box boxOf(const QPlainTextEdit* box) const;
    void showBlock(QPlainTextEdit* box, const QString& name, const TextBlocks::Key& key);
    void showMark(QPlainTextEdit* box);
    void showMarks();
    bool saveTextBlocks();
    void dropBlockEdits();
    void writeBlockKey(const TextBlocks::Key& key, const QString& name);
    // Sets as they were before this window first wrote them; Cancel and the
    // close box put back every one that no commit took over.
    void rememberSet(const QString& path);
    void restoreSets();
    void chooseBlock(QComboBox* list, QPlainTextEdit* box, bool head);
    void newBlock(QPlainTextEdit* box, QComboBox* list, bool head, const QString& defaultName);
    void deleteBlock(QComboBox* list, QPlainTextEdit* box, bool head);
    bool applySettings(bool withPreview);
    bool storeSet();
    void showPreview();
    frmHTMLBrowser* loadPreviewWindow();
    QString upDownPosition() const;
    QString colorNameFile() const;
    QString backupPath() const;
    QString categoryCaption() const;

    bool loading_ = false;
    bool changed_ = false;
    bool committed_ = false;
    bool livePreview_ = false;
    bool unloaded_ = false;
    QString dataPath_;
    QString setAtOpening_;
    int dialogColor_ = 0;  // the colour dialog keeps its colour between uses
    QPointer<frmHTMLBrowser> htmlBrowser_;
    TextBlockEdits blocks_;
    QHash<QString, QByteArray> setsBefore_;  // only sets that existed
};

namespace DesignWindows {
// Menu commands of the main window.
void MnuCustomize_Click();        // frmCustomize, modeless, one at a time
void MnuCustomizeSelect_Click();  // frmCustomizeSelection, modal, then the main preview again
frmCustomize* customizeWindow();  // the open one, or null
}  // namespace DesignWindows
