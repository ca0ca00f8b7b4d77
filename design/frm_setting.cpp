#include "design/frm_setting.h"

#include "platform/field_text.h"
#include "platform/prompts.h"
#include "core/addresses.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
using WindowPlace::kTwipsPerPixel;

template <class T>
T* named(T* widget, const char* name, const char* tip = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (tip) widget->setToolTip(QString::fromUtf8(tip));
    return widget;
}
QCheckBox* check(QWidget* page, const char* name, const char* caption, const char* tip = nullptr) {
    return named(new QCheckBox(QString::fromUtf8(caption), page), name, tip);
}
}  // namespace

frmSetting::frmSetting(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSetting"));
    setWindowTitle(QStringLiteral("Environment"));
    setWindowIcon(QApplication::windowIcon());
    auto* layout = new QVBoxLayout(this);
    TabStrip1 = named(new QTabWidget(this), "TabStrip1");
    const char* captions[5] = {"日記分割設定", "Frame設定", "RSS設定", "HaloScan設定", "Blog設定"};
    QWidget* pages[5] = {makeDividePage(), makeFramePage(), makeFeedPage(), makeCommentPage(), makeBlogPage()};
    for (int i = 0; i < 5; ++i) {
        PictureTab[i] = pages[i];
        PictureTab[i]->setObjectName(QStringLiteral("PictureTab%1").arg(i));
        TabStrip1->addTab(PictureTab[i], QString::fromUtf8(captions[i]));
    }
    // Every tab in sight: the window is never narrower than the five.
    TabStrip1->setUsesScrollButtons(false);
    TabStrip1->setElideMode(Qt::ElideNone);
    layout->addWidget(TabStrip1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Btn_OK = named(new QPushButton(QStringLiteral("OK"), this), "Btn_OK");
    Btn_Cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "Btn_Cancel");
    Btn_Apply = named(new QPushButton(QStringLiteral("Apply"), this), "Btn_Apply");
    for (QPushButton* b : {Btn_OK, Btn_Cancel, Btn_Apply}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(TabStrip1, &QTabWidget::currentChanged, this, &frmSetting::TabStrip1_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmSetting::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmSetting::Btn_Cancel_Click);
    connect(Btn_Apply, &QPushButton::clicked, this, &frmSetting::Btn_Apply_Click);
    connect(Btn_BlogManager, &QPushButton::clicked, this, &frmSetting::Btn_BlogManager_Click);
    connect(lblURL, &QLabel::linkActivated, this, &frmSetting::lblURL_Click);
    connectChangeEvents();
}

QWidget* frmSetting::makeDividePage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    chkRaravDivide = check(page, "chkRaravDivide", "日記を分割する");
    v->addWidget(chkRaravDivide);
    auto* term = new QHBoxLayout;
    lblRaravTerm = named(new QLabel(QStringLiteral("分割する日数"), page), "lblRaravTerm");
    cmbRaravTerm = named(new QComboBox(page), "cmbRaravTerm");
    for (int day = 1; day <= 31; ++day) cmbRaravTerm->addItem(QString::number(day));
    term->addWidget(lblRaravTerm);
    term->addWidget(cmbRaravTerm);
    term->addStretch();
    v->addLayout(term);
    chkRaravOnTop = check(page, "chkRaravOnTop", "トップページに日記を表示する");
    chkUseFileName2Day = check(page, "chkUseFileName2Day", "分割ファイルの名称を日付にする");
    chkLogDivide = check(page, "chkLogDivide", "ログを分割する。", "チェックを付けると、ログを分割します。");
    v->addWidget(chkRaravOnTop);
    v->addWidget(chkUseFileName2Day);
    v->addWidget(chkLogDivide);
    auto* topLink = new QGroupBox(QStringLiteral("Topのリンク先"), page);
    auto* h = new QHBoxLayout(topLink);
    optTopLink_PageTop = named(new QRadioButton(QStringLiteral("ページの先頭"), topLink), "optTopLink_PageTop");
    optTopLink_TopPage = named(new QRadioButton(QStringLiteral("トップページ"), topLink), "optTopLink_TopPage");
    h->addWidget(optTopLink_PageTop);
    h->addWidget(optTopLink_TopPage);
    v->addWidget(topLink);
    v->addStretch();
    return page;
}

QWidget* frmSetting::makeFramePage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    chkUseFrame = check(page, "chkUseFrame", "フレームを使用する", "チェックを付けると、フレームを使用します。");
    v->addWidget(chkUseFrame);
    auto* form = new QFormLayout;
    lblCalenderFrameSize = named(new QLabel(QStringLiteral("左側フレームサイズ"), page), "lblCalenderFrameSize");
    txtCalenderFrameSize = named(new QLineEdit(page), "txtCalenderFrameSize", "左側のフレームのサイズを指定します。");
    lblFRAMEBORDER = named(new QLabel(QStringLiteral("境界のサイズ<FRAMEBORDER>"), page), "lblFRAMEBORDER");
    lblFRAMEBORDER->setTextFormat(Qt::PlainText);
    txtFRAMEBORDER = named(new QLineEdit(page), "txtFRAMEBORDER", "境界のサイズを入力して下さい。");
    form->addRow(lblCalenderFrameSize, txtCalenderFrameSize);
    form->addRow(lblFRAMEBORDER, txtFRAMEBORDER);
    v->addLayout(form);
    chkScrolling = check(page, "chkScrolling", "スクロールする<Scrolling>", "チェックを付けると、スクロールバーを表示する。");
    chkResize = check(page, "chkResize", "リサイズする<Resize>", "チェックをつけると、左側フレーをサイズ変更する。");
    v->addWidget(chkScrolling);
    v->addWidget(chkResize);
    v->addStretch();
    return page;
}

QWidget* frmSetting::makeFeedPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    chkUseRSS = check(page, "chkUseRSS", "RSS配信を行う");
    v->addWidget(chkUseRSS);
    auto* form = new QFormLayout;
    txtRSS_Title = named(new QLineEdit(page), "txtRSS_Title");
    txtRSS_HPURL = named(new QLineEdit(page), "txtRSS_HPURL");
    txtRSS_RaravURL = named(new QLineEdit(page), "txtRSS_RaravURL");
    txtRSS_Description = named(new QPlainTextEdit(page), "txtRSS_Description");
    txtRSS_Description->setMaximumHeight(txtRSS_Description->fontMetrics().lineSpacing() * 4 + 12);
    form->addRow(QStringLiteral("タイトル"), txtRSS_Title);
    form->addRow(QStringLiteral("ホームページのURL"), txtRSS_HPURL);
    form->addRow(QStringLiteral("日記のURL"), txtRSS_RaravURL);
    form->addRow(QStringLiteral("日記の説明"), txtRSS_Description);
    v->addLayout(form);
    auto* owner = new QGroupBox(QStringLiteral("著作権者"), page);
    auto* ownerForm = new QFormLayout(owner);
    txtRSS_ManagingAuthor = named(new QLineEdit(owner), "txtRSS_ManagingAuthor");
    txtATOM_Author = named(new QLineEdit(owner), "txtATOM_Author");
    ownerForm->addRow(QStringLiteral("e-mail"), txtRSS_ManagingAuthor);
    ownerForm->addRow(QStringLiteral("名前"), txtATOM_Author);
    v->addWidget(owner);
    auto* webMaster = new QFormLayout;
    txtRSS_WebMaster = named(new QLineEdit(page), "txtRSS_WebMaster");
    webMaster->addRow(QStringLiteral("WebMaster"), txtRSS_WebMaster);
    v->addLayout(webMaster);
    v->addStretch();
    return page;
}

QWidget* frmSetting::makeCommentPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    chkUseHaloScan = check(page, "chkUseHaloScan", "HaloScanを利用する");
    v->addWidget(chkUseHaloScan);
    auto* form = new QFormLayout;
    txtHaloScanUserName = named(new QLineEdit(page), "txtHaloScanUserName");
    form->addRow(QStringLiteral("ユーザー名"), txtHaloScanUserName);
    v->addLayout(form);
    v->addWidget(new QLabel(QStringLiteral("HaloScanは、下記アドレスで登録してください。"), page));
    const QString address = Addresses::kCommentServiceRegistration.toHtmlEscaped();
    lblURL = named(new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), page), "lblURL");
    lblURL->setTextFormat(Qt::RichText);
    lblURL->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    v->addWidget(lblURL);
    v->addStretch();
    return page;
}

QWidget* frmSetting::makeBlogPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    chkBlog_Status = check(page, "chkBlog_Status", "投稿と同時に公開する");
    chkBlog_AcceptComment = check(page, "chkBlog_AcceptComment", "コメントを受け入れる");
    chkBlog_AcceptTrackBack = check(page, "chkBlog_AcceptTrackBack", "トラックバックを受け入れる");
    chkBlog_PandBRTag = check(page, "chkBlog_PandBRTag", "改行はタグまかせにする");
    for (QCheckBox* c : {chkBlog_Status, chkBlog_AcceptComment, chkBlog_AcceptTrackBack, chkBlog_PandBRTag})
        v->addWidget(c);
    Btn_BlogManager = named(new QPushButton(QStringLiteral("BlogManagerを起動する"), page), "Btn_BlogManager",
                            "各BlogのID、パスワードや投稿URLを管理するBlogManagerを起動します。");
    Btn_BlogManager->setAutoDefault(false);
    v->addWidget(Btn_BlogManager);
    v->addStretch();
    return page;
}

void frmSetting::connectChangeEvents() {
    connect(chkRaravDivide, &QCheckBox::toggled, this, [this] {
        UpdateDivideControls();
        MarkChanged();
    });
    connect(chkUseFrame, &QCheckBox::toggled, this, [this] {
        UpdateFrameControls();
        MarkChanged();
    });
    connect(cmbRaravTerm, &QComboBox::currentTextChanged, this, [this] {
        UpdateFileNameOption();
        MarkChanged();
    });
    // Every control that Apply writes marks a change, so that Apply is
    // offered and Cancel asks before dropping it.
    for (QCheckBox* c : {chkLogDivide, chkRaravOnTop, chkUseFileName2Day, chkScrolling, chkResize, chkUseRSS,
                         chkUseHaloScan, chkBlog_Status, chkBlog_AcceptComment, chkBlog_AcceptTrackBack,
                         chkBlog_PandBRTag})
        connect(c, &QCheckBox::toggled, this, &frmSetting::MarkChanged);
    for (QRadioButton* o : {optTopLink_PageTop, optTopLink_TopPage})
        connect(o, &QRadioButton::toggled, this, &frmSetting::MarkChanged);
    for (QLineEdit* t : {txtCalenderFrameSize, txtFRAMEBORDER, txtRSS_Title, txtRSS_HPURL, txtRSS_RaravURL,
                         txtRSS_ManagingAuthor, txtRSS_WebMaster, txtATOM_Author, txtHaloScanUserName})
        connect(t, &QLineEdit::textChanged, this, &frmSetting::MarkChanged);
    connect(txtRSS_Description, &QPlainTextEdit::textChanged, this, &frmSetting::MarkChanged);
}

void frmSetting::Form_Load() {
    const QString ini = Shell::state().RaravIniFile;
    move(RaravIni::read(ini, RaravIni::FrameWindowPosLeft) / kTwipsPerPixel, RaravIni::read(ini, RaravIni::FrameWindowPosTop) / kTwipsPerPixel);
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
    changed_ = false;
    loading_ = true;
    showValues(SiteSettings::read());
    Btn_Apply->setEnabled(false);
    UpdateDivideControls();
    UpdateFrameControls();
    UpdateFileNameOption();
    loading_ = false;
}

void frmSetting::showValues(const SiteSettings::Values& v) {
    chkRaravDivide->setChecked(v.RaravDivide);
    cmbRaravTerm->setCurrentText(v.RaravTerm);
    chkRaravOnTop->setChecked(v.RaravOnTop);
    (v.TopLinkToTopPage ? optTopLink_TopPage : optTopLink_PageTop)->setChecked(true);
    chkLogDivide->setChecked(v.LogDivide);
    chkUseFileName2Day->setChecked(v.UseFileName2Day);
    chkUseFrame->setChecked(v.FrameOn);
    txtCalenderFrameSize->setText(v.CalenderFrameSize);
    txtFRAMEBORDER->setText(v.Border);
    chkScrolling->setChecked(v.Scrolling);
    chkResize->setChecked(v.Resize);
    chkUseRSS->setChecked(v.RSSOn);
    txtRSS_Title->setText(v.Title);
    txtRSS_HPURL->setText(v.HPURL);
    txtRSS_RaravURL->setText(v.RaravURL);
    txtRSS_Description->setPlainText(v.Description);
    txtRSS_ManagingAuthor->setText(v.ManagingAuthor);
    txtRSS_WebMaster->setText(v.WebMaster);
    txtATOM_Author->setText(v.AtomAuthor);
    chkUseHaloScan->setChecked(v.HaloScanOn);
    txtHaloScanUserName->setText(v.HaloScanUserName);
    chkBlog_Status->setChecked(v.BlogStatus);
    chkBlog_AcceptComment->setChecked(v.BlogAcceptComment);
    chkBlog_AcceptTrackBack->setChecked(v.BlogAcceptTrackBack);
    chkBlog_PandBRTag->setChecked(v.BlogPandBRTag);
}

SiteSettings::Values frmSetting::shownValues() const {
    SiteSettings::Values v;
    v.RaravDivide = chkRaravDivide->isChecked();
    v.RaravTerm = cmbRaravTerm->currentText();
    v.RaravOnTop = chkRaravOnTop->isChecked();
    v.TopLinkToTopPage = !optTopLink_PageTop->isChecked();
    v.LogDivide = chkLogDivide->isChecked();
    v.UseFileName2Day = chkUseFileName2Day->isChecked();
    v.FrameOn = chkUseFrame->isChecked();
    v.CalenderFrameSize = txtCalenderFrameSize->text();
    v.Border = txtFRAMEBORDER->text();
    v.Scrolling = chkScrolling->isChecked();
    v.Resize = chkResize->isChecked();
    v.RSSOn = chkUseRSS->isChecked();
    v.Title = txtRSS_Title->text();
    v.HPURL = txtRSS_HPURL->text();
    v.RaravURL = txtRSS_RaravURL->text();
    v.Description = FieldText::of(txtRSS_Description);
    v.ManagingAuthor = txtRSS_ManagingAuthor->text();
    v.WebMaster = txtRSS_WebMaster->text();
    v.AtomAuthor = txtATOM_Author->text();
    v.HaloScanOn = chkUseHaloScan->isChecked();
    v.HaloScanUserName = txtHaloScanUserName->text();
    v.BlogStatus = chkBlog_Status->isChecked();
    v.BlogAcceptComment = chkBlog_AcceptComment->isChecked();
    v.BlogAcceptTrackBack = chkBlog_AcceptTrackBack->isChecked();
    v.BlogPandBRTag = chkBlog_PandBRTag->isChecked();
    return v;
}

void frmSetting::TabStrip1_Click() {
    for (QWidget* page : PictureTab) page->setEnabled(false);
    TabStrip1->currentWidget()->setEnabled(true);
}

void frmSetting::UpdateDivideControls() {
    const bool on = chkRaravDivide->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblRaravTerm, cmbRaravTerm, chkRaravOnTop}) w->setEnabled(on);
    UpdateFileNameOption();
}

// Pages are named by date only when the diary is divided one day a page.
void frmSetting::UpdateFileNameOption() {
    chkUseFileName2Day->setEnabled(chkRaravDivide->isChecked() && cmbRaravTerm->currentText() == QLatin1String("1"));
}

void frmSetting::UpdateFrameControls() {
    const bool on = chkUseFrame->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblCalenderFrameSize, txtCalenderFrameSize, lblFRAMEBORDER,
                                                      txtFRAMEBORDER, chkScrolling, chkResize})
        w->setEnabled(on);
}

void frmSetting::MarkChanged() {
    if (loading_) return;
    changed_ = true;
    Btn_Apply->setEnabled(true);
}

bool frmSetting::applySettings() {
    // The description box takes several lines, which are stored joined by
    // blanks; every other box holds one line.
    if (!Prompts::refuseLineBreaks({cmbRaravTerm->currentText(), txtCalenderFrameSize->text(), txtFRAMEBORDER->text(),
                                    txtRSS_Title->text(), txtRSS_HPURL->text(), txtRSS_RaravURL->text(),
                                    txtRSS_ManagingAuthor->text(), txtRSS_WebMaster->text(), txtATOM_Author->text(),
                                    txtHaloScanUserName->text()})) {
        Btn_Apply->setEnabled(true);
        return false;
    }
    if (!SiteSettings::write(shownValues())) {
        // The window stays open with Apply enabled, so nothing typed is lost.
        Prompts::MsgBox(QStringLiteral("設定ファイルを保存できませんでした。"), Prompts::vbExclamation);
        Btn_Apply->setEnabled(true);
        return false;
    }
    Btn_Apply->setEnabled(false);
    return true;
}

void frmSetting::Btn_Apply_Click() { applySettings(); }

void frmSetting::Btn_OK_Click() {
    if (applySettings()) accept();
}

void frmSetting::Btn_Cancel_Click() {
    // The flag outlives an Apply, so Cancel after an Apply asks again.
    if (changed_ && Prompts::MsgBox(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbYesNo) == Prompts::vbYes &&
        !applySettings())
        return;
    reject();
}

void frmSetting::Btn_BlogManager_Click() {
    reject();
    if (Shell::hooks().showBlogManager) Shell::hooks().showBlogManager();
}

void frmSetting::lblURL_Click() {
    reject();
    if (Shell::hooks().navigateBrowser) Shell::hooks().navigateBrowser(Addresses::kCommentServiceRegistration);
}

void frmSetting::done(int result) {
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::FrameWindowPosLeft, x() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::FrameWindowPosTop, y() * kTwipsPerPixel);
    QDialog::done(result);
}

namespace DesignWindows {

void mnuEnvironment_Click() {
    frmSetting dialog;
    dialog.Form_Load();
    dialog.exec();
}

}  // namespace DesignWindows
