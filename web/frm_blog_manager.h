#pragma once
// The blog accounts window "Blog Manager": login name, password and the
// addresses each blog leaves to the user, kept in BlogUserData.ini.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class frmBlogManager : public QDialog {
    Q_OBJECT
public:
    // Opens the window modally; what the site settings window calls.
    static void showModal();

    explicit frmBlogManager(QWidget* parent = nullptr);

    void Form_Load();
    void cmbBlog_Click();
    void Btn_Save_Click();
    void Btn_Close_Click();
    // Stores the position and the chosen blog on every close; unsaved edits
    // are dropped without a question.
    void Form_QueryUnload();

    QComboBox* cmbBlog = nullptr;
    QLineEdit* txtLoginID = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtPostURL = nullptr;
    QLineEdit* txtNextURL = nullptr;
    QLineEdit* txtAccessURL = nullptr;
    QPushButton* Btn_Save = nullptr;
    QPushButton* Btn_Close = nullptr;

    void done(int result) override;

private:
    void ListBlogTemplates();
    void MarkChanged();
    void setAddressBox(QLineEdit* box, bool required, const QString& text);

    bool loading_ = false;
};
