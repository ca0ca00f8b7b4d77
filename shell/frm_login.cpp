#include "shell/frm_login.h"

#include "core/user_list.h"
#include "platform/prompts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* passwordBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setEchoMode(QLineEdit::Password);
    return box;
}
QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}
}  // namespace

frmLogin::frmLogin(const QString& listFile, QWidget* parent) : QDialog(parent), listFile_(listFile) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Quillby - Login"));
    setModal(true);
    txtUID = new QLineEdit(this);
    txtUID->setObjectName(QStringLiteral("txtUID"));
    txtPassword = passwordBox(this, "txtPassword");
    Btn_Login = button(this, "Btn_Login", QStringLiteral("Log-in"));
    Btn_Cancel = button(this, "Btn_Cancel", QStringLiteral("Cancel"));
    Btn_Login->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("User ID"), txtUID);
    form->addRow(QStringLiteral("Password"), txtPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_Login);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(Btn_Login, &QPushButton::clicked, this, &frmLogin::Btn_Login_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmLogin::Btn_Cancel_Click);

    txtUID->setText(UserList::previousId(listFile_));
    if (!txtUID->text().isEmpty()) txtPassword->setFocus();
}

void frmLogin::Btn_Login_Click() {
    if (!Prompts::refuseLineBreaks({txtUID->text(), txtPassword->text()})) return;
    IsOK = true;
    // A name that is no user is not remembered: the list gains no section
    // from what anyone types here.
    if (UserList::userExists(listFile_, txtUID->text())) UserList::setPreviousId(listFile_, txtUID->text());
    UID = txtUID->text();
    Password = txtPassword->text();
    accept();
}

void frmLogin::Btn_Cancel_Click() {
    IsOK = false;
    reject();
}

frmPassword::frmPassword(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Password入力"));
    setModal(true);
    txtPassword = passwordBox(this, "txtPassword");
    txtNewPassword = passwordBox(this, "txtNewPassword");
    LabelPassConfirm = new QLabel(QStringLiteral("パスワード（確認用）"), this);
    LabelPassConfirm->setObjectName(QStringLiteral("LabelPassConfirm"));
    Btn_OK = button(this, "Btn_OK", QStringLiteral("OK"));
    Btn_Cancel = button(this, "Btn_Cancel", QStringLiteral("Cancel"));
    Btn_OK->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("パスワード"), txtPassword);
    form->addRow(LabelPassConfirm, txtNewPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(Btn_OK, &QPushButton::clicked, this, &frmPassword::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmPassword::Btn_Cancel_Click);
}

void frmPassword::hideConfirmation() {
    LabelPassConfirm->hide();
    txtNewPassword->hide();
}

void frmPassword::Btn_OK_Click() {
    IsOK = true;
    Password = txtPassword->text();
    NewPassword = txtNewPassword->text();
    accept();
}

void frmPassword::Btn_Cancel_Click() {
    IsOK = false;
    reject();
}
