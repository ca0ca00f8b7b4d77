#pragma once
// The user manager: make and delete users, change the logged-in user's
// password, change a user's folder, and move the single-user data to a user.
// Changes take effect at the next start; the running program keeps its user.
#include <QDialog>

class QComboBox;
class QPushButton;

class frmUserManager : public QDialog {
    Q_OBJECT
public:
    explicit frmUserManager(QWidget* parent = nullptr);

    QComboBox* txtUID = nullptr;
    QPushButton* Btn_MakeUser = nullptr;
    QPushButton* Btn_ChangePassword = nullptr;
    QPushButton* Btn_DeleteUser = nullptr;
    QPushButton* Btn_ChangeUserPath = nullptr;
    QPushButton* Btn_SingleToComplex = nullptr;
    QPushButton* Btn_OK = nullptr;

    void Btn_MakeUser_Click();
    void Btn_ChangePassword_Click();
    void Btn_DeleteUser_Click();
    void Btn_ChangeUserPath_Click();
    void Btn_SingleToComplex_Click();

private:
    void RefreshUserList();
    // 1 right password, 0 wrong, -1 cancelled.
    int checkSelectedPassword();
    QString listFile() const;
    QString selected() const;
};
