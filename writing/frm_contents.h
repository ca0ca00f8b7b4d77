#pragma once
// The editor child window: one entry of the main window's selected day.
#include "writing/edit_history.h"
#include "writing/entry_store.h"

#include <QWidget>
#include <array>

class QAction;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QToolButton;

class frmContents : public QWidget {
    Q_OBJECT
public:
    // The one editor, created (and loaded) on first use.
    static frmContents* instance();
    static bool exists();
    // Shows the editor in the main window's child-window area.
    void showWindow();

    explicit frmContents(QWidget* parent = nullptr);
    ~frmContents() override;

    // True while the fields differ from the stored entry.
    bool ChangeYesNo = false;
    // True while program code fills the fields; change events then do nothing.
    bool Loading = false;

    void InitUndoRedo();
    void mnuRedo_Click();
    void mnuUndo_Click();
    void Contents_Initialize();
    void Contents_Enable();
    bool OldRaravChecker(const QString& FindDay);
    // Saves the open entry; false when refused (empty title) or failed.
    bool Btn1Click_ToolBar();
    void Btn2Click_ToolBar();
    void Btn3Click_ToolBar();
    void Btn5Click_ToolBar();
    void MakeGenretxt();
    // The genre list rebuilt from the database, through the editor when it is
    // loaded (its genre box follows), else straight into the file.
    static void RebuildGenreList();
    void picPrevRaravExist_Click();
    void InsertFromCB_Text();
    void InsertFromCB_Exchange();
    void AddComboNumber(int Num);
    void Cut();
    void Copy();
    void Paste();

    // The save question before the open entry is left. False when the answer
    // was Yes and the save did not succeed: the caller then stays on the
    // entry, whose edits are kept. number < 1 saves under the shown number.
    bool askSaveBeforeLeaving(int number = 0);
    // The close question; false when the window must stay open.
    bool Form_Unload();

    // Controls under their design names.
    QToolBar* cToolbar = nullptr;
    QComboBox* ComboTag = nullptr;
    QToolButton* picPrevRaravExist = nullptr;
    QToolButton* picPrevRaravExistNone = nullptr;
    QLineEdit* txtTitle = nullptr;
    QComboBox* ComboNumber = nullptr;
    QString ComboNumberTag;  // the number the fields were loaded from
    // The stored entry the fields were loaded from, as read or as the last
    // save stored it; none for an entry not stored yet. A save writes that
    // row, and the calendar's deletion removes it, whatever number it has
    // come to hold there.
    std::optional<Entry> shownEntry;
    QComboBox* ComboGenre = nullptr;
    QComboBox* ComboWeather = nullptr;
    QComboBox* ComboPrivate = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QPlainTextEdit* txtContents = nullptr;
    QPlainTextEdit* txtExtend = nullptr;
    QPlainTextEdit* txtExcerpt = nullptr;

    // Toolbar button by its 1-based position (3 is the separator).
    QAction* toolbarButton(int index) const;
    void cToolbar_ButtonClick(const QString& key);
    void ComboNumber_Click();
    void TabStrip1_Click();
    // The field of the selected tab; null for any other tab index.
    QPlainTextEdit* selectedField() const;
    void InsertHtmlTag(int n);
    // The tag dialogs' insertions into the body field, whatever tab is
    // shown; each is an ordinary edit with its change mark and undo step.
    QString bodySelectedText() const;
    // Replaces the body's selection, the field taking the focus.
    void replaceBodySelection(const QString& text);
    // Inserts before the body's selection, which stays behind the text; the
    // focus stays where it is.
    void insertBeforeBodySelection(const QString& text);
    void InsertSelectedTag();
    // Focus handlers of the fields and the title box.
    void richField_GotFocus();
    void txtTitle_GotFocus();

    // Fills the fields from stored text (CR LF) or empties them, under
    // Loading; used by the calendar's fills.
    void setFields(const QString& title, const QString& contents, const QString& extend, const QString& excerpt,
                   const QString& weather, const QString& genre, bool isPrivate);
    void clearFields();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void LoadGenreList();
    bool AddGenreToCsv();
    bool saveEntry(int number);
    void showStoredNumber(int number);
    void setCaption();
    void setMarker(bool otherYears);
    void setSaveButtons(bool enabled);
    void setInsertButtons(bool enabled);
    void markChanged();
    void field_Change(int index);
    void txtTitle_Change();
    void restoreSnapshot(int direction);
    void insertIntoField(QPlainTextEdit* field, const QString& text);
    bool Form_KeyDown(QKeyEvent* key);
    bool field_KeyDown(QPlainTextEdit* field, QKeyEvent* key);
    int fieldIndex(const QObject* field) const;

    QStackedWidget* fieldStack_ = nullptr;
    std::array<QPlainTextEdit*, 3> fields_{};
    std::array<EditHistory, 3> histories_;
    std::array<QAction*, 6> buttons_{};
};
