#include "shell/frm_user_manager.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "core/file_dialogs.h"
#include "shell/frm_login.h"
#include "core/pub_encrypt.h"
#include "core/shared_state.h"
#include "core/user_list.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using Prompts::MsgBox;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kWrongPassword = QStringLiteral("パスワードが一致しませんでした。\r\n");

void refuse(const QString& text) { MsgBox(text, Prompts::vbCritical); }
void inform(const QString& text) { MsgBox(text, Prompts::vbInformation); }
// A user list that could not be written is said so: the change did not happen.
void refuseUnwritten(const QString& listFile) {
    refuse(QStringLiteral("書き込みできません。(%1)").arg(listFile));
}

// Names become INI sections and folder names: characters that would break
// either, and the reserved section, are refused.
bool isUsableName(const QString& name) {
    static const QString bad = QStringLiteral("/\\[]=;\"");
    for (QChar c : name)
        if (bad.contains(c) || c.unicode() < 0x20) return false;
    return name != QLatin1String(".") && name != QLatin1String("..") &&
           name.compare(QLatin1String("Previous"), Qt::CaseInsensitive) != 0 && name.trimmed() == name;
}

QPushButton* arrowButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(QStringLiteral("→"), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}
}  // namespace

frmUserManager::frmUserManager(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmUserManager"));
    setWindowTitle(QStringLiteral("User Manager"));
    setModal(true);
    txtUID = new QComboBox(this);
    txtUID->setObjectName(QStringLiteral("txtUID"));
    txtUID->setEditable(true);
    Btn_MakeUser = arrowButton(this, "Btn_MakeUser");
    Btn_ChangePassword = arrowButton(this, "Btn_ChangePassword");
    Btn_DeleteUser = arrowButton(this, "Btn_DeleteUser");
    Btn_ChangeUserPath = arrowButton(this, "Btn_ChangeUserPath");
    Btn_SingleToComplex = arrowButton(this, "Btn_SingleToComplex");
    Btn_SingleToComplex->setToolTip(QStringLiteral("シングルユーザー時のデータを指定したユーザーへ移行します。"));
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Selected User"), this), 0, 0);
    grid->addWidget(txtUID, 0, 1);
    const std::pair<const char*, QPushButton*> rows[] = {
        {"新しいユーザーの作成", Btn_MakeUser},
        {"パスワードの変更（ログインしているユーザー）", Btn_ChangePassword},
        {"ユーザーの削除", Btn_DeleteUser},
        {"ユーザーパスの変更", Btn_ChangeUserPath},
        {"シングル→マルチユーザー移行ツール", Btn_SingleToComplex},
    };
    int row = 1;
    for (const auto& [caption, button] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        grid->addWidget(button, row++, 1);
    }
    grid->addWidget(Btn_OK, row, 1);

    connect(Btn_MakeUser, &QPushButton::clicked, this, &frmUserManager::Btn_MakeUser_Click);
    connect(Btn_ChangePassword, &QPushButton::clicked, this, &frmUserManager::Btn_ChangePassword_Click);
    connect(Btn_DeleteUser, &QPushButton::clicked, this, &frmUserManager::Btn_DeleteUser_Click);
    connect(Btn_ChangeUserPath, &QPushButton::clicked, this, &frmUserManager::Btn_ChangeUserPath_Click);
    connect(Btn_SingleToComplex, &QPushButton::clicked, this, &frmUserManager::Btn_SingleToComplex_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);

    RefreshUserList();
    if (!Files::exists(listFile())) {
        for (QPushButton* b : {Btn_ChangePassword, Btn_DeleteUser, Btn_SingleToComplex, Btn_ChangeUserPath})
            b->setEnabled(false);
    }
    if (Shell::state().UserID.isEmpty()) Btn_ChangePassword->setEnabled(false);
}

QString frmUserManager::listFile() const { return UserList::fileIn(Shell::state().MyPath); }
QString frmUserManager::selected() const { return txtUID->currentText(); }

void frmUserManager::RefreshUserList() {
    txtUID->clear();
    txtUID->addItems(UserList::users(listFile()));
}

int frmUserManager::checkSelectedPassword() {
    frmPassword dialog(this);
    dialog.hideConfirmation();
    dialog.exec();
    if (!dialog.IsOK) return -1;
    return UserList::checkLogin(listFile(), selected(), dialog.Password) ? 1 : 0;
}

void frmUserManager::Btn_MakeUser_Click() {
    const QString name = Prompts::InputBox(QStringLiteral("ユーザー名を入力してください。"));
    if (name.isEmpty() || !Prompts::refuseLineBreaks({name})) return;
    const QString list = listFile();
    if (!isUsableName(name)) {
        refuse(QStringLiteral("ユーザー名に使用できない文字が含まれています。"));
        return;
    }
    if (UserList::userExists(list, name)) {
        refuse(QStringLiteral("すでにそのユーザーは存在します。"));
        RefreshUserList();
        return;
    }
    if (const QString why = UserList::newUserRefusal(Shell::state().MyPath, Shell::state().DataPath, name);
        !why.isEmpty()) {
        refuse(why);
        return;
    }
    UserList::addId(list, name);
    frmPassword dialog(this);
    dialog.setWindowTitle(QStringLiteral("パスワードの入力"));
    dialog.exec();
    // A cancelled or mismatched entry makes no user: one without a password
    // could log in with an empty box.
    if (!dialog.IsOK || dialog.Password != dialog.NewPassword) {
        UserList::withdrawId(list, name);
    } else if (!PubEncrypt::CanEncrypt(dialog.Password)) {
        UserList::withdrawId(list, name);
        refuse(QStringLiteral("パスワードに使用できない文字が含まれています。"));
    } else {
        const QString folder = Shell::state().MyPath + name + QLatin1Char('/');
        if (!UserList::setPassword(list, name, dialog.Password)) {
            UserList::withdrawId(list, name);
            refuseUnwritten(list);
            RefreshUserList();
            return;
        }
        if (Files::isFolder(folder)) {
            inform(QStringLiteral("ユーザーフォルダはすでに存在するので、そのまま使用します。"));
        } else if (!Files::makeFolder(folder)) {
            // Its first login could make none either, and would end there.
            UserList::withdrawId(list, name);
            refuse(QStringLiteral("ユーザーフォルダを作成できません。\r\n") + folder);
            RefreshUserList();
            return;
        }
        if (!UserList::setUserFolder(list, name, folder)) {
            UserList::withdrawId(list, name);
            refuseUnwritten(list);
        } else {
            inform(QStringLiteral("新しいユーザー「") + name + QStringLiteral("」を作成しました。"));
        }
    }
    RefreshUserList();
}

void frmUserManager::Btn_ChangePassword_Click() {
    const QString user = Shell::state().UserID;
    if (user.isEmpty()) {
        refuse(QStringLiteral("ユーザー名が空白の場合は、パスワードの変更はできません。"));
        return;
    }
    frmPassword dialog(this);
    dialog.setWindowTitle(QStringLiteral("新しいパスワードの入力"));
    dialog.exec();
    if (!dialog.IsOK) return;
    if (dialog.Password != dialog.NewPassword) {
        refuse(QStringLiteral("入力したパスワードが一致しません。") + kCrLf + QStringLiteral("変更はキャンセルします。"));
    } else if (!PubEncrypt::CanEncrypt(dialog.Password)) {
        refuse(QStringLiteral("パスワードに使用できない文字が含まれています。"));
    } else {
        if (UserList::setPassword(listFile(), user, dialog.Password))
            inform(QStringLiteral("パスワードの変更が完了しました！"));
        else
            refuseUnwritten(listFile());
    }
}

void frmUserManager::Btn_DeleteUser_Click() {
    const QString user = selected();
    if (user.isEmpty()) {
        refuse(QStringLiteral("ユーザーを選択してください。"));
        return;
    }
    const int check = checkSelectedPassword();
    if (check == 0) {
        refuse(kWrongPassword + QStringLiteral("ユーザーの削除を中止します。"));
    } else if (check == 1 && !UserList::removeUser(listFile(), user) && UserList::userExists(listFile(), user)) {
        // The user can still log in; a password left behind alone is no one's.
        refuseUnwritten(listFile());
    } else if (check == 1) {
        inform(QStringLiteral("ユーザーの削除が完了しました。") + kCrLf +
               QStringLiteral("ユーザーフォルダはご自分で削除してください。"));
        if (user == Shell::state().UserID) inform(QStringLiteral("Quillbyを再起動してください。"));
    }
    RefreshUserList();
}

void frmUserManager::Btn_ChangeUserPath_Click() {
    const QString user = selected();
    if (user.isEmpty()) {
        refuse(QStringLiteral("ユーザーを選択してください。"));
        return;
    }
    if (Shell::state().UserID.isEmpty()) {
        refuse(QStringLiteral("ユーザー名が空白の場合は、ユーザー管理でのフォルダの変更はできません。") + kCrLf +
               QStringLiteral("オプションからフォルダの変更をしてください。"));
        return;
    }
    const int check = checkSelectedPassword();
    if (check < 0) return;
    if (check == 0) {
        refuse(kWrongPassword + QStringLiteral("ユーザーパスの変更を中止します。"));
        return;
    }
    const QString folder = FileDialogs::BrowseFolder(QStringLiteral("ユーザーパスの指定"));
    if (folder.isEmpty()) {
        refuse(QStringLiteral("パスが不正なため、ユーザーパスの変更を中止します。"));
        return;
    }
    if (!Prompts::refuseLineBreaks({folder})) return;
    if (UserList::setUserFolder(listFile(), user, folder))
        inform(QStringLiteral("ユーザーパスの変更が完了しました。"));
    else
        refuseUnwritten(listFile());
}

void frmUserManager::Btn_SingleToComplex_Click() {
    const QString user = selected();
    if (user.isEmpty()) {
        refuse(QStringLiteral("データを移行するユーザーが選択されていません。"));
        return;
    }
    const QString& myPath = Shell::state().MyPath;
    if (const QString why = UserList::singleUserMoveRefusal(myPath, UserList::userFolder(myPath, user));
        !why.isEmpty()) {
        refuse(why);
        return;
    }
    const int check = checkSelectedPassword();
    if (check < 0) return;
    if (check == 0) {
        refuse(kWrongPassword + QStringLiteral("データの移行を中止します。"));
        return;
    }
    const QString question = QStringLiteral("選択しているユーザー(") + user +
                             QStringLiteral(")にシングルユーザー時のデータを移行します。") + kCrLf +
                             QStringLiteral("基本的に上書きとなるので、データの消失にご注意下さい（現在のファイルは「_BackUp」として残します。");
    if (MsgBox(question, Prompts::vbYesNo) != Prompts::vbYes) return;
    if (!UserList::moveSingleUserData(myPath, UserList::userFolder(myPath, user))) {
        refuse(QStringLiteral("データの移行に失敗しました。"));
        return;
    }
    inform(QStringLiteral("完了しました！"));
    if (user == Shell::state().UserID)
        inform(QStringLiteral("現在ログインしたユーザーにデータを移行したので、Quillbyを再起動してください。"));
}
