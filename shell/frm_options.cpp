#include "shell/frm_options.h"
#include "core/program_files.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "core/file_dialogs.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/pub_encrypt.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "shell/startup.h"
#include "core/window_place.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QString iniFile() { return Shell::state().RaravIniFile; }

using WindowPlace::toPixels;
using WindowPlace::toTwips;

// A whole number, as the font-size box accepts; blanks around it are allowed.
bool asNumber(const QString& text, int* value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok) *value = v;
    return ok;
}

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
}  // namespace

frmOptions::frmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Preference"));
    setWindowIcon(QApplication::windowIcon());
    setModal(true);
    buildControls();
    Form_Load();
}

void frmOptions::buildControls() {
    auto check = [this](const char* name, const char* caption) {
        return named(new QCheckBox(QString::fromUtf8(caption), this), name);
    };
    auto radio = [this](const char* name, const char* caption) {
        return named(new QRadioButton(QString::fromUtf8(caption), this), name);
    };
    auto text = [this](const char* name) { return named(new QLineEdit(this), name); };
    auto button = [this](const char* name, const QString& caption) {
        return named(new QPushButton(caption, this), name);
    };

    optOpenWindowPos_Saved = radio("optOpenWindowPos_Saved", "保存位置");
    optOpenWindowPos_Std = radio("optOpenWindowPos_Std", "Standard");
    optOpenWindowPos_Nothing = radio("optOpenWindowPos_Nothing", "何もしない");
    chkShowStartUpForm = check("chkShowStartUpForm", "スプラッシュウィンドウを表示する。");
    chkOpenWindowMaximize = check("chkOpenWindowMaximize", "Windowを最大化する。");
    txtSaveFolder = text("txtSaveFolder");
    BtnOpenFolder = button("BtnOpenFolder", QString());
    BtnOpenFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    chkClipWithHTML = check("chkClipWithHTML", "Clipboardから読み込時、整形する。");
    optMnuLanguageJap = radio("optMnuLanguageJap", "日本語");
    optMnuLanguageEng = radio("optMnuLanguageEng", "English");
    txtFTP_ID = text("txtFTP_ID");
    txtFTP_Pass = text("txtFTP_Pass");
    txtFTP_Pass->setEchoMode(QLineEdit::Password);
    txtFTP_URL = text("txtFTP_URL");
    txtFTP_Folder = text("txtFTP_Folder");
    chkHTMLOnlyUp = check("chkHTMLOnlyUp", "HTMLファイルのみアップロードする。");
    txtFTPCompleteSound = text("txtFTPCompleteSound");
    Btn_OpenFolder_FTP = button("Btn_OpenFolder_FTP", QString());
    Btn_OpenFolder_FTP->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    chkFTP_PASV = check("chkFTP_PASV", "パッシブモードで接続する");
    chkFTP_PING = check("chkFTP_PING", "FTP後PINGする");
    chkFavoriteSort = check("chkFavoriteSort", "「お気に入り」をソートする");
    chkFindHist = check("chkFindHist", "終了時に検索履歴を保存する。");
    chkURLHist = check("chkURLHist", "終了時にURL履歴を保存する。");
    txtMakeRaravFontSize = text("txtMakeRaravFontSize");
    txtMakeRaravFontSize->setToolTip(QStringLiteral("日記作成画面でのフォントサイズを指定します。"));
    txtMakeRaravFontSize->installEventFilter(this);
    txtPtagAdd = text("txtPtagAdd");
    txtPtagAdd->setToolTip(QStringLiteral("改行タグに付加する文字列。スタイルシート使用時に使ってください。"));
    chkRealtimeCust = check("chkRealtimeCust", "変更をリアルタイムで確認する");
    txtPath_Zettik = text("txtPath_Zettik");
    Btn_Open_Zettik = button("Btn_Open_Zettik", QStringLiteral("..."));
    Btn_OK = button("Btn_OK", QStringLiteral("OK"));
    Btn_Cancel = button("Btn_Cancel", QStringLiteral("Cancel"));
    Btn_Apply = button("Btn_Apply", QStringLiteral("Apply"));

    // Option buttons of one frame exclude each other, yet none need be
    // selected: a stored value outside the list selects none.
    auto* positions = new QButtonGroup(this);
    for (QRadioButton* r : {optOpenWindowPos_Saved, optOpenWindowPos_Std, optOpenWindowPos_Nothing})
        positions->addButton(r);
    auto* languages = new QButtonGroup(this);
    languages->addButton(optMnuLanguageJap);
    languages->addButton(optMnuLanguageEng);

    auto frame = [this](const char* name, const char* caption) {
        return named(new QGroupBox(QString::fromUtf8(caption), this), name);
    };
    auto withButton = [](QLineEdit* box, QPushButton* b) {
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(b);
        return row;
    };

    auto* init = frame("FramInitialize", "起動時設定");
    auto* pos = new QGroupBox(QStringLiteral("Window位置"), init);
    auto* posLayout = new QHBoxLayout(pos);
    posLayout->addWidget(optOpenWindowPos_Saved);
    posLayout->addWidget(optOpenWindowPos_Std);
    posLayout->addWidget(optOpenWindowPos_Nothing);
    auto* initLayout = new QVBoxLayout(init);
    initLayout->addWidget(pos);
    initLayout->addWidget(chkShowStartUpForm);
    initLayout->addWidget(chkOpenWindowMaximize);

    auto* prop = frame("FramProperty", "全般設定");
    auto* lang = new QGroupBox(QStringLiteral("メニューの言語"), prop);
    auto* langLayout = new QHBoxLayout(lang);
    langLayout->addWidget(optMnuLanguageJap);
    langLayout->addWidget(optMnuLanguageEng);
    auto* propLayout = new QVBoxLayout(prop);
    propLayout->addWidget(new QLabel(QStringLiteral("データ保存先フォルダ"), prop));
    propLayout->addLayout(withButton(txtSaveFolder, BtnOpenFolder));
    propLayout->addWidget(chkClipWithHTML);
    propLayout->addWidget(lang);

    auto* ftp = frame("FramFTP", "FTP設定");
    auto* ftpLayout = new QFormLayout(ftp);
    ftpLayout->addRow(QStringLiteral("FTP UserID"), txtFTP_ID);
    ftpLayout->addRow(QStringLiteral("FTP Password"), txtFTP_Pass);
    ftpLayout->addRow(QStringLiteral("URL"), txtFTP_URL);
    ftpLayout->addRow(QStringLiteral("Upload Folder"), txtFTP_Folder);
    ftpLayout->addRow(chkHTMLOnlyUp);
    ftpLayout->addRow(QStringLiteral("アップロード完了時に鳴るサウンドファイル"),
                      withButton(txtFTPCompleteSound, Btn_OpenFolder_FTP));
    ftpLayout->addRow(chkFTP_PASV);
    ftpLayout->addRow(chkFTP_PING);

    auto* browser = frame("FrameBrowser", "ブラウザ設定");
    auto* browserLayout = new QVBoxLayout(browser);
    browserLayout->addWidget(chkFavoriteSort);
    browserLayout->addWidget(chkFindHist);
    browserLayout->addWidget(chkURLHist);

    auto* make = frame("MakeRarav", "日記作成");
    auto* makeLayout = new QFormLayout(make);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(txtMakeRaravFontSize);
    sizeRow->addWidget(new QLabel(QStringLiteral("pt"), make));
    makeLayout->addRow(QStringLiteral("フォントサイズ"), sizeRow);
    makeLayout->addRow(QStringLiteral("Pタグ付加"), txtPtagAdd);

    auto* cust = frame("Customize", "カスタマイズ");
    (new QVBoxLayout(cust))->addWidget(chkRealtimeCust);

    auto* plugin = frame("FramPlugin", "プラグイン設定");
    auto* pluginLayout = new QVBoxLayout(plugin);
    pluginLayout->addWidget(new QLabel(QStringLiteral("Zettikインストールパス"), plugin));
    pluginLayout->addLayout(withButton(txtPath_Zettik, Btn_Open_Zettik));

    auto* grid = new QGridLayout;
    grid->addWidget(init, 0, 0);
    grid->addWidget(prop, 1, 0);
    grid->addWidget(make, 2, 0);
    grid->addWidget(cust, 3, 0);
    grid->addWidget(ftp, 0, 1, 2, 1);
    grid->addWidget(browser, 2, 1);
    grid->addWidget(plugin, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    buttons->addWidget(Btn_Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{chkClipWithHTML, chkFavoriteSort, chkFindHist, chkFTP_PASV,
                                                 chkHTMLOnlyUp, chkOpenWindowMaximize, chkRealtimeCust,
                                                 chkShowStartUpForm, chkURLHist, optMnuLanguageEng,
                                                 optMnuLanguageJap, chkFTP_PING, optOpenWindowPos_Saved,
                                                 optOpenWindowPos_Std, optOpenWindowPos_Nothing})
        connect(b, &QAbstractButton::clicked, this, &frmOptions::MarkChanged);
    for (QLineEdit* t : {txtFTP_Folder, txtFTP_ID, txtFTP_Pass, txtFTP_URL, txtMakeRaravFontSize, txtPath_Zettik,
                         txtPtagAdd, txtSaveFolder, txtFTPCompleteSound})
        connect(t, &QLineEdit::textChanged, this, &frmOptions::MarkChanged);

    connect(Btn_OK, &QPushButton::clicked, this, &frmOptions::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmOptions::Btn_Cancel_Click);
    connect(Btn_Apply, &QPushButton::clicked, this, &frmOptions::Btn_Apply_Click);
    connect(BtnOpenFolder, &QPushButton::clicked, this, &frmOptions::BtnOpenFolder_Click);
    connect(Btn_Open_Zettik, &QPushButton::clicked, this, &frmOptions::Btn_Open_Zettik_Click);
    connect(Btn_OpenFolder_FTP, &QPushButton::clicked, this, &frmOptions::Btn_OpenFolder_FTP_Click);
}

void frmOptions::Form_Load() {
    const QString ini = iniFile();
    auto& s = Shell::state();
    move(toPixels(RaravIni::read(ini, RaravIni::PreferenceLeft)), toPixels(RaravIni::read(ini, RaravIni::PreferenceTop)));
    changed_ = false;
    loading_ = true;
    auto intOf = [&ini](const RaravIni::IntKey& k) {
        return IniFile::GetIniInt(ini, QString::fromLatin1(k.section), QString::fromLatin1(k.key));
    };
    auto textOf = [&ini](const RaravIni::TextKey& k) {
        return IniFile::TrimNull(
            IniFile::GetIniStringRaw(ini, QString::fromLatin1(k.section), QString::fromLatin1(k.key)));
    };
    auto tick = [&intOf](QCheckBox* box, const RaravIni::IntKey& k) { box->setChecked(intOf(k) == 1); };

    switch (intOf(RaravIni::WindowPosition)) {
        case 0: optOpenWindowPos_Nothing->setChecked(true); break;
        case 1: optOpenWindowPos_Std->setChecked(true); break;
        case 2: optOpenWindowPos_Saved->setChecked(true); break;
        default: break;
    }
    tick(chkShowStartUpForm, RaravIni::ShowStartUpForm);
    tick(chkOpenWindowMaximize, RaravIni::WindowMaximize);
    txtSaveFolder->setText(s.DataPath);
    if (!s.DataPath.endsWith(QLatin1Char('/'))) s.DataPath += QLatin1Char('/');
    tick(chkClipWithHTML, RaravIni::ClipWithHTML);
    if (textOf(RaravIni::MenuLanguage) == QLatin1String("English"))
        optMnuLanguageEng->setChecked(true);
    else
        optMnuLanguageJap->setChecked(true);
    txtFTP_ID->setText(textOf(RaravIni::FtpID));
    txtFTP_Pass->setText(PubEncrypt::DecryptString(textOf(RaravIni::FtpPass)));
    txtFTP_URL->setText(textOf(RaravIni::FtpURL));
    txtFTP_Folder->setText(textOf(RaravIni::FtpStartFolder));
    tick(chkHTMLOnlyUp, RaravIni::HTMLOnlyUpload);
    txtFTPCompleteSound->setText(textOf(RaravIni::SoundFile));
    tick(chkFTP_PASV, RaravIni::FtpPASV);
    tick(chkFTP_PING, RaravIni::FtpPING);
    tick(chkFavoriteSort, RaravIni::FavoriteSort);
    tick(chkFindHist, RaravIni::FindHistory);
    tick(chkURLHist, RaravIni::URLHistory);
    txtMakeRaravFontSize->setText(QString::number(intOf(RaravIni::ContentsFontSize)));
    txtPtagAdd->setText(textOf(RaravIni::P_TagAdd));
    tick(chkRealtimeCust, RaravIni::CustomizeRealTime);
    txtPath_Zettik->setText(RaravIni::zettikPath(ini, s.MyPath));

    Btn_Apply->setEnabled(false);
    if (!s.IsTambourDll) chkFTP_PING->setEnabled(false);
    loading_ = false;
}

void frmOptions::MarkChanged() {
    if (loading_) return;
    changed_ = true;
    Btn_Apply->setEnabled(true);
}

bool frmOptions::Btn_Apply_Click() {
    const QString ini = iniFile();
    auto& s = Shell::state();
    if (!Prompts::refuseLineBreaks({txtSaveFolder->text(), txtFTP_ID->text(), txtFTP_Pass->text(), txtFTP_URL->text(),
                                    txtFTP_Folder->text(), txtFTPCompleteSound->text(), txtMakeRaravFontSize->text(),
                                    txtPtagAdd->text(), txtPath_Zettik->text()}))
        return false;
    // A password the scrambling cannot carry would be read back wrong.
    if (!PubEncrypt::CanEncrypt(txtFTP_Pass->text())) {
        Prompts::MsgBox(QStringLiteral("パスワードに使用できない文字が含まれています。"), Prompts::vbCritical);
        return false;
    }
    bool written = true;
    auto put = [&ini, &written](QCheckBox* box, const RaravIni::IntKey& k) {
        written = RaravIni::write(ini, k, box->isChecked() ? 1 : 0) && written;
    };

    put(chkOpenWindowMaximize, RaravIni::WindowMaximize);
    put(chkShowStartUpForm, RaravIni::ShowStartUpForm);
    if (optOpenWindowPos_Std->isChecked())
        written &= RaravIni::write(ini, RaravIni::WindowPosition, 1);
    else if (optOpenWindowPos_Nothing->isChecked())
        written &= RaravIni::write(ini, RaravIni::WindowPosition, 0);
    else if (optOpenWindowPos_Saved->isChecked())
        written &= RaravIni::write(ini, RaravIni::WindowPosition, 2);

    // A folder that does not exist would send every later save and preview
    // nowhere, so it is refused and the old one kept.
    const QString folder = txtSaveFolder->text();
    const bool folderOk = Startup::isValidDataFolder(folder);
    if (folderOk) written &= RaravIni::write(ini, RaravIni::DataPath, folder);

    put(chkClipWithHTML, RaravIni::ClipWithHTML);
    if (optMnuLanguageJap->isChecked())
        written &= RaravIni::write(ini, RaravIni::MenuLanguage, QStringLiteral("Japanese"));
    else if (optMnuLanguageEng->isChecked())
        written &= RaravIni::write(ini, RaravIni::MenuLanguage, QStringLiteral("English"));

    written &= RaravIni::write(ini, RaravIni::FtpID, txtFTP_ID->text());
    written &= RaravIni::write(ini, RaravIni::FtpPass, PubEncrypt::EncryptString(txtFTP_Pass->text()));
    written &= RaravIni::write(ini, RaravIni::FtpURL, txtFTP_URL->text());
    written &= RaravIni::write(ini, RaravIni::FtpStartFolder, txtFTP_Folder->text());
    put(chkHTMLOnlyUp, RaravIni::HTMLOnlyUpload);
    written &= RaravIni::write(ini, RaravIni::SoundFile, txtFTPCompleteSound->text());
    put(chkFTP_PASV, RaravIni::FtpPASV);
    put(chkFTP_PING, RaravIni::FtpPING);

    put(chkFavoriteSort, RaravIni::FavoriteSort);
    put(chkFindHist, RaravIni::FindHistory);
    put(chkURLHist, RaravIni::URLHistory);

    int size = 0;
    const bool sizeOk = asNumber(txtMakeRaravFontSize->text(), &size) && size > 0;
    written &= RaravIni::write(ini, RaravIni::ContentsFontSize, sizeOk ? txtMakeRaravFontSize->text().trimmed() : QStringLiteral("12"));
    written &= RaravIni::write(ini, RaravIni::P_TagAdd, txtPtagAdd->text());
    put(chkRealtimeCust, RaravIni::CustomizeRealTime);
    written &= RaravIni::write(ini, RaravIni::ZettikPath, txtPath_Zettik->text());

    // The program goes on with the new values only once they are saved: a
    // failed write leaves it with the ones the settings file still holds.
    if (!written) {
        Prompts::MsgBox(QStringLiteral("書き込みできません。(%1)").arg(ini), Prompts::vbCritical);
        return false;
    }
    if (folderOk) s.DataPath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (Shell::hooks().setMenuBarString) Shell::hooks().setMenuBarString();
    s.Path_Zettik = txtPath_Zettik->text();
    s.IsZettik = Files::exists(s.Path_Zettik + ProgramFiles::kZettik);
    if (Shell::hooks().setMemoMenuEnabled) Shell::hooks().setMemoMenuEnabled(s.IsZettik);
    if (!folderOk) {
        Prompts::MsgBox(QStringLiteral("「データ保存先フォルダ」が不正です。有効なフォルダを指定して下さい。"),
                        Prompts::vbCritical);
        return false;
    }
    changed_ = false;
    Btn_Apply->setEnabled(false);
    return true;
}

void frmOptions::Btn_OK_Click() {
    if (Btn_Apply_Click()) accept();
}

void frmOptions::Btn_Cancel_Click() {
    if (changed_ && Prompts::MsgBox(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbYesNo) == Prompts::vbYes) {
        if (!Btn_Apply_Click()) return;
    }
    reject();
}

void frmOptions::done(int result) {
    const QString ini = iniFile();
    RaravIni::write(ini, RaravIni::PreferenceLeft, toTwips(pos().x()));
    RaravIni::write(ini, RaravIni::PreferenceTop, toTwips(pos().y()));
    QDialog::done(result);
}

void frmOptions::BtnOpenFolder_Click() {
    const QString folder = FileDialogs::BrowseFolder(QStringLiteral("フォルダの選択"));
    if (!folder.isEmpty()) txtSaveFolder->setText(folder);
}

void frmOptions::Btn_Open_Zettik_Click() {
    const QString folder = IniFile::TrimNull(FileDialogs::BrowseFolder(QStringLiteral("Zettikインストールフォルダの選択")));
    if (!folder.isEmpty()) txtPath_Zettik->setText(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

void frmOptions::Btn_OpenFolder_FTP_Click() {
    const QChar nul(0);
    QString filter;
    const char* pairs[] = {"Sound Files(*.wav,*.mid,*.mp2)", "*.wav;*.mid;*.mp2", "WAV Files(*.wav)", "*.wav",
                           "MIDI Files(*.mid)", "*.mid", "MP2 Files(*.mp2)", "*.mp2", "ALL Files(*.*)", "*.*"};
    for (const char* piece : pairs) filter += QLatin1String(piece) + nul;
    const QString current = txtFTPCompleteSound->text();
    const QString start = current.isEmpty() ? QString() : PathParts::GetFolderPath(current);
    const QString chosen = FileDialogs::ShowOpenDialog(filter, start);
    if (!chosen.isEmpty()) txtFTPCompleteSound->setText(chosen);
}

void frmOptions::txtMakeRaravFontSize_LostFocus() {
    int size = 0;
    if (asNumber(txtMakeRaravFontSize->text(), &size)) {
        if (size <= 0) txtMakeRaravFontSize->setText(QStringLiteral("12"));
        return;
    }
    Prompts::MsgBox(QStringLiteral("不正な文字が入力されました。半角数字を入力してください。"), Prompts::vbCritical);
    txtMakeRaravFontSize->setFocus();
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtMakeRaravFontSize && event->type() == QEvent::FocusOut) txtMakeRaravFontSize_LostFocus();
    return QDialog::eventFilter(watched, event);
}
