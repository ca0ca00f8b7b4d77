#include "web/frm_blog_manager.h"

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/prompts.h"
#include "core/pub_encrypt.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "web/blog_accounts.h"
#include "web/blog_description.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using WindowPlace::kTwipsPerPixel;

QString u8(const char* text) { return QString::fromUtf8(text); }

QLineEdit* textBox(QWidget* parent, const char* name, const char* tip) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (tip) box->setToolTip(u8(tip));
    return box;
}

// Loading flag for the span of a fill, restored on every way out.
struct LoadingScope {
    bool& flag;
    bool previous;
    explicit LoadingScope(bool& f) : flag(f), previous(f) { flag = true; }
    ~LoadingScope() { flag = previous; }
};

}  // namespace

void frmBlogManager::showModal() {
    frmBlogManager w(Prompts::owner());
    w.Form_Load();
    w.exec();
}

frmBlogManager::frmBlogManager(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBlogManager"));
    setWindowTitle(QStringLiteral("Blog Manager"));
    auto* layout = new QVBoxLayout(this);
    cmbBlog = new QComboBox(this);
    cmbBlog->setObjectName(QStringLiteral("cmbBlog"));
    cmbBlog->setToolTip(u8("ブログを切り替えます。"));
    layout->addWidget(cmbBlog);

    auto* form = new QFormLayout;
    txtLoginID = textBox(this, "txtLoginID", "ログインIDを入力します。");
    txtPassword = textBox(this, "txtPassword", "パスワードを入力します。");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPostURL = textBox(this, "txtPostURL", "投稿用のURLを入力します。必要の無いブログは入力する必要はありません。");
    txtNextURL = textBox(this, "txtNextURL",
                         "ログイン画面が切り替わったとき、自動的に投稿画面が切り替わらない場合、投稿画面のURLを入力します。"
                         "通常は、投稿URLと同じものを入力すればOKです。");
    txtAccessURL = textBox(this, "txtAccessURL", nullptr);
    form->addRow(QStringLiteral("Login ID"), txtLoginID);
    form->addRow(QStringLiteral("Password"), txtPassword);
    form->addRow(u8("投稿URL"), txtPostURL);
    form->addRow(u8("投稿URL2"), txtNextURL);
    form->addRow(u8("閲覧用URL"), txtAccessURL);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    Btn_Save = new QPushButton(u8("保存"), this);
    Btn_Close = new QPushButton(u8("閉じる"), this);
    Btn_Save->setAutoDefault(false);
    Btn_Close->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(Btn_Save);
    buttons->addWidget(Btn_Close);
    layout->addLayout(buttons);

    connect(cmbBlog, &QComboBox::currentIndexChanged, this, [this] { cmbBlog_Click(); });
    for (QLineEdit* box : {txtLoginID, txtPassword, txtPostURL, txtNextURL, txtAccessURL})
        connect(box, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
    connect(Btn_Save, &QPushButton::clicked, this, [this] { Btn_Save_Click(); });
    connect(Btn_Close, &QPushButton::clicked, this, [this] { Btn_Close_Click(); });
}

void frmBlogManager::Form_Load() {
    LoadingScope loading(loading_);
    ListBlogTemplates();
    Btn_Save->setEnabled(false);
    const QString& ini = Shell::state().RaravIniFile;
    move(RaravIni::read(ini, RaravIni::BlogManagerLeft) / kTwipsPerPixel,
         RaravIni::read(ini, RaravIni::BlogManagerTop) / kTwipsPerPixel);
    // A stored blog without a description leaves no selection and the boxes
    // disabled.
    cmbBlog->setCurrentIndex(cmbBlog->findText(RaravIni::read(ini, RaravIni::BlogManagerBlog)));
    cmbBlog_Click();
}

void frmBlogManager::ListBlogTemplates() {
    const QSignalBlocker quiet(cmbBlog);
    cmbBlog->clear();
    const QString folder = Shell::state().DataPath + QStringLiteral("BlogTemplate/");
    for (const QString& name : Files::listFiles(folder, QStringLiteral("*.ini"))) cmbBlog->addItem(name.chopped(4));
    cmbBlog->setCurrentIndex(-1);
}

void frmBlogManager::setAddressBox(QLineEdit* box, bool required, const QString& text) {
    box->setEnabled(required);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, palette().color(required ? QPalette::Base : QPalette::Button));
    box->setPalette(colours);
    box->setText(required ? text : QString());
}

void frmBlogManager::cmbBlog_Click() {
    LoadingScope loading(loading_);
    const QString blog = cmbBlog->currentText();
    const bool chosen = !blog.isEmpty();
    const BlogAccount account = chosen ? BlogAccount::load(blog) : BlogAccount();
    for (QLineEdit* box : {txtLoginID, txtPassword, txtAccessURL}) box->setEnabled(chosen);
    txtLoginID->setText(account.LoginID);
    txtPassword->setText(account.Password);
    const QString description = BlogDescription::pathOf(blog);
    auto required = [&](const char* key) {
        return chosen && Profile::readString(description, QStringLiteral("Simple"), QLatin1String(key)) == kBlogRequired;
    };
    setAddressBox(txtPostURL, required("PostURL"), account.PostURL);
    setAddressBox(txtNextURL, required("NextURL"), account.NextURL);
    txtAccessURL->setText(account.AccessURL);
}

void frmBlogManager::MarkChanged() {
    if (!loading_) Btn_Save->setEnabled(true);
}

void frmBlogManager::Btn_Save_Click() {
    const QString blog = cmbBlog->currentText();
    if (blog.isEmpty()) return;
    if (!Profile::isSectionName(blog)) {
        Prompts::MsgBox(u8("「") + blog + u8("」は、「]」や前後の空白を含むため、アカウントを保存できません。"),
                        Prompts::vbCritical);
        return;
    }
    if (!Prompts::refuseLineBreaks({txtLoginID->text(), txtPassword->text(), txtPostURL->text(), txtNextURL->text(),
                                    txtAccessURL->text()}))
        return;
    // A password the scrambling cannot carry would be read back wrong.
    if (!PubEncrypt::CanEncrypt(txtPassword->text())) {
        Prompts::MsgBox(u8("パスワードに使用できない文字が含まれています。"), Prompts::vbCritical);
        return;
    }
    const BlogAccount account{txtLoginID->text(), txtPassword->text(), txtPostURL->text(), txtNextURL->text(),
                              txtAccessURL->text()};
    if (!account.save(blog)) {
        Prompts::MsgBox(BlogAccounts::file() + u8(" に書き込めませんでした。"), Prompts::vbCritical);
        return;
    }
    Btn_Save->setEnabled(false);
}

void frmBlogManager::Btn_Close_Click() { reject(); }

void frmBlogManager::Form_QueryUnload() {
    const QString& ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::BlogManagerLeft, x() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::BlogManagerTop, y() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::BlogManagerBlog, cmbBlog->currentText());
}

void frmBlogManager::done(int result) {
    Form_QueryUnload();
    QDialog::done(result);
}
