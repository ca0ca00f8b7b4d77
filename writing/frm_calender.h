#pragma once
// The calendar child window: choosing the day, the day's entries, new entry,
// delete, search and the blog row.
#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QToolButton;
class frmContents;

class frmCalender : public QWidget {
    Q_OBJECT
public:
    explicit frmCalender(QWidget* parent = nullptr);

    void Btn_Delete_Click();
    // True when a new, empty entry is open in the editor afterwards.
    bool Btn_New_Click();
    void PostBlog(const QString& BLOGTYPE);
    void BlogManagement();
    void ViewBlog();
    // False when the editor stays on its entry (a failed save or read).
    bool Calender_DateClick(const QDate& DateClicked);

    void Btn_Find_Click();
    void Btn_BlogControl_Click();
    void cmbBlogAction_Click();
    // Stores the chosen blog; the main window calls it at shut-down.
    void Form_Unload();

    QCalendarWidget* Calender = nullptr;
    QToolButton* Btn_New = nullptr;
    QToolButton* Btn_Delete = nullptr;
    QToolButton* Btn_Find = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbBlog = nullptr;
    QComboBox* cmbBlogAction = nullptr;
    QToolButton* Btn_BlogControl = nullptr;

private:
    void Form_Load();
    void LoadBlogTemplateList();
    void LoadBlogActionList();
    frmContents* editor() const;
};
