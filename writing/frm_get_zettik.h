#pragma once
// The memo picker: the title and text of one memo of the memo tool as the
// start of a new entry. Modal; the caller reads IsOK, stTitle and stContents
// after it closes.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class frmCalender;

class frmGetZettik : public QDialog {
    Q_OBJECT
public:
    // The main window's command: a new entry on the selected day, filled from
    // the memo picked. A cancelled picker leaves the new, empty entry; when no
    // new entry could be started (no day, or the edits of the open entry
    // could not be saved) the picker is not shown and nothing is written.
    static void MakeEntryFromMemo(frmCalender& calender);

    explicit frmGetZettik(QWidget* parent = nullptr);

    bool IsOK = false;
    QString stTitle;
    QString stContents;

    void CatList_ItemClick(QTreeWidgetItem* Item);
    void MemoList_ItemClick(QTreeWidgetItem* Item);
    void Btn_OK_Click();
    void Btn_Close_Click();

    QTreeWidget* CatList = nullptr;
    QTreeWidget* MemoList = nullptr;
    QGroupBox* fSelectedMemo = nullptr;
    QLabel* lblNo = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtCategory = nullptr;
    QPlainTextEdit* txtContents = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Close = nullptr;

    // Columns of the two lists.
    enum CatColumn { CatId, CatName, CatNum };
    enum MemoColumn { MemoId, MemoDay, MemoTitle, MemoContents, MemoCategory };

private:
    void Form_Load();
    void FillCategoryList();
    void FillMemoList(const QString& category);
    void reportReadFailure(const QString& description);
};
