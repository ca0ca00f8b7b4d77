#pragma once
// The login window of multi-user start-up and the password dialog of the user
// manager. Both are modal, made for one use, and keep their public members
// after they close.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    // listFile: the user list, whose [Previous] ID fills the name box.
    explicit frmLogin(const QString& listFile, QWidget* parent = nullptr);

    bool IsOK = false;
    QString UID;
    QString Password;

    QLineEdit* txtUID = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* Btn_Login = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    void Btn_Login_Click();
    void Btn_Cancel_Click();

private:
    QString listFile_;
};

class frmPassword : public QDialog {
    Q_OBJECT
public:
    explicit frmPassword(QWidget* parent = nullptr);

    bool IsOK = false;
    QString Password;
    QString NewPassword;

    QLineEdit* txtPassword = nullptr;
    QLabel* LabelPassConfirm = nullptr;
    QLineEdit* txtNewPassword = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    // A single box, for checking a password instead of choosing one.
    void hideConfirmation();

    void Btn_OK_Click();
    void Btn_Cancel_Click();
};
