#include "site/frm_html2txt_setting.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "site/html2text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The HTML-mode settings the tag list shows, each stored as "HTML_" + name.
const char* const kTagNames[] = {"BR",  "P",   "XMP", "SPAN",       "S",  "SUP",   "SUB",
                                 "TT",  "PRE", "BLOCKQUOTE", "HR", "TABLE", "LIST"};

using WindowPlace::kTwipsPerPixel;

QString tr8(const char* text) { return QString::fromUtf8(text); }

// A check box shows a flag as the old control did: 0 unchecked, 2 greyed,
// and every other value, which the converter takes as on, checked.
void showFlag(QCheckBox* box, const QString& value) {
    const int v = value.toInt();
    box->setCheckState(v == 0 ? Qt::Unchecked : v == 2 ? Qt::PartiallyChecked : Qt::Checked);
}

QString flagOf(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked: return QStringLiteral("1");
    case Qt::PartiallyChecked: return QStringLiteral("2");
    default: return QStringLiteral("0");
    }
}

// The dash count is stored as a 16-bit number and only 0 and above draw a
// rule; an empty box keeps the value the file held.
bool dashCountAcceptable(const QString& text) {
    if (text.trimmed().isEmpty()) return true;
    clsHTML2TEXT probe;
    try {
        probe.SetValue(QStringLiteral("HR_NUM"), text);
    } catch (const RuntimeError&) {
        return false;
    }
    return probe.GetValue(QStringLiteral("HR_NUM")).toInt() >= 0;
}

}  // namespace

void frmHTML2TXTSetting::showModal() {
    frmHTML2TXTSetting w(Prompts::owner());
    w.Form_Load();
    w.exec();
}

QString frmHTML2TXTSetting::settingsFile() { return Shell::state().MyPath + QStringLiteral("HTML2TXT.ini"); }

frmHTML2TXTSetting::frmHTML2TXTSetting(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHTML2TXTSetting"));
    auto* layout = new QVBoxLayout(this);

    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("GENERAL"));
    TabStrip1->addTab(tr8("TEXT変換設定"));
    TabStrip1->addTab(tr8("HTML変換設定"));
    // Every tab in sight: the window is never narrower than the three.
    TabStrip1->setUsesScrollButtons(false);
    TabStrip1->setElideMode(Qt::ElideNone);
    layout->addWidget(TabStrip1);

    pages_ = new QStackedWidget(this);
    for (int i = 0; i < 3; ++i) {
        Picture1[i] = new QWidget(pages_);
        Picture1[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        pages_->addWidget(Picture1[i]);
    }
    layout->addWidget(pages_);
    buildGeneralPage();
    buildTextPage();
    buildHtmlPage();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Btn_OK->setDefault(true);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(Btn_OK, &QPushButton::clicked, this, [this] { Btn_OK_Click(); });
    connect(Btn_Cancel, &QPushButton::clicked, this, [this] { Btn_Cancel_Click(); });
}

void frmHTML2TXTSetting::buildGeneralPage() {
    auto* page = new QVBoxLayout(Picture1[0]);
    auto* Frame3 = new QGroupBox(tr8("モード"), Picture1[0]);
    auto* modes = new QVBoxLayout(Frame3);
    optMODE_TEXT = new QRadioButton(QStringLiteral("TEXT"), Frame3);
    optMODE_TEXT->setToolTip(tr8("TEXTに変換します。一部のタグを変換することができます。"));
    optMODE_HTML = new QRadioButton(QStringLiteral("HTML"), Frame3);
    optMODE_HTML->setToolTip(tr8("HTML形式に変換します。削除するタグを設定することが可能です。"));
    modes->addWidget(optMODE_TEXT);
    modes->addWidget(optMODE_HTML);
    page->addWidget(Frame3);
    Lbl_Description = new QLabel(Picture1[0]);
    Lbl_Description->setWordWrap(true);
    page->addWidget(Lbl_Description);
    page->addStretch();
}

void frmHTML2TXTSetting::buildTextPage() {
    QWidget* p = Picture1[1];
    auto* page = new QVBoxLayout(p);
    auto check = [&](const char* caption) {
        auto* box = new QCheckBox(tr8(caption), p);
        page->addWidget(box);
        return box;
    };
    chkBR = check("BR");
    chkHR = check("HR");
    auto* dashes = new QHBoxLayout;
    auto* Label2 = new QLabel(tr8("「-」の数"), p);
    txtHR_NUM = new QLineEdit(p);
    dashes->addSpacing(20);
    dashes->addWidget(Label2);
    dashes->addWidget(txtHR_NUM);
    page->addLayout(dashes);
    chkP = check("P");
    chkIMG = check("IMG");
    chkANAME = check("A NAME");
    chkAHREF = check("A HREF");
    chkAHREFSharp = check("A HREF #");
    chkAHREFSharp->setToolTip(tr8("同ページ内リンク"));
    chkENTER = check("複数の改行を単一の改行に変換");

    auto* Frame2 = new QGroupBox(tr8("リンクタグ"), p);
    auto* forms = new QVBoxLayout(Frame2);
    opt_A_LINK_TAG_TYPE0 = new QRadioButton(tr8("タグを残す"), Frame2);
    opt_A_LINK_TAG_TYPE1 = new QRadioButton(tr8("リンク文字の前に［リンク：URL］"), Frame2);
    opt_A_LINK_TAG_TYPE2 = new QRadioButton(tr8("リンク文字の後に(URL)"), Frame2);
    forms->addWidget(opt_A_LINK_TAG_TYPE0);
    forms->addWidget(opt_A_LINK_TAG_TYPE1);
    forms->addWidget(opt_A_LINK_TAG_TYPE2);
    page->addWidget(Frame2);
    page->addStretch();
}

void frmHTML2TXTSetting::buildHtmlPage() {
    auto* page = new QVBoxLayout(Picture1[2]);
    page->setContentsMargins(0, 0, 0, 0);
    ListView1 = new QTreeWidget(Picture1[2]);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({QStringLiteral("TAG")});
    ListView1->setRootIsDecorated(false);
    ListView1->setToolTip(tr8("チェックを付けたタグは削除（もしくはテキスト変換）されます。"));
    page->addWidget(ListView1);
}

void frmHTML2TXTSetting::Form_Load() {
    setWindowTitle(QStringLiteral("Quillby - HTML2TEXT Setting -"));
    resize(4000 / kTwipsPerPixel, height());
    Lbl_Description->setText(tr8("モード説明：\r\n"
                                 "　TEXTモード：基本的には全てのタグを削除します。チェックをつけたタグは決められた"
                                 "フォーマットでテキストに変換します。\r\n"
                                 "　HTMLモード：基本的には全てのタグを残します。チェックを付けたタグは削除（もしくは"
                                 "決められたフォーマットでテキストに変換）します。"));
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
    FillTagList();

    bool loaded = false;
    QString reason;
    try {
        loaded = LoadSettings(settingsFile());
    } catch (const RuntimeError& e) {
        // A number out of range in the file: the controls stay as they were.
        reason = QStringLiteral("\r\n") + e.description;
    }
    if (!loaded) Prompts::MsgBox(tr8("設定ファイルの読み込みに失敗しました。") + reason, Prompts::vbCritical);
}

bool frmHTML2TXTSetting::LoadSettings(const QString& path) {
    clsHTML2TEXT converter;
    if (!converter.Initialize(path)) return false;

    const QString mode = converter.GetValue(QStringLiteral("MODE"));
    if (mode == QLatin1String("TEXT")) optMODE_TEXT->setChecked(true);
    else if (mode == QLatin1String("HTML")) optMODE_HTML->setChecked(true);

    for (const char* name : kTagNames) {
        SetTagChecked(QLatin1String(name),
                      converter.GetValue(QStringLiteral("HTML_") + QLatin1String(name)).toInt());
    }

    showFlag(chkHR, converter.GetValue(QStringLiteral("HR")));
    txtHR_NUM->setText(converter.GetValue(QStringLiteral("HR_NUM")));
    showFlag(chkBR, converter.GetValue(QStringLiteral("BR")));
    showFlag(chkP, converter.GetValue(QStringLiteral("P")));
    showFlag(chkIMG, converter.GetValue(QStringLiteral("IMG")));
    showFlag(chkANAME, converter.GetValue(QStringLiteral("ANAME")));
    showFlag(chkAHREF, converter.GetValue(QStringLiteral("AHREF")));
    showFlag(chkAHREFSharp, converter.GetValue(QStringLiteral("AHREFSharp")));
    showFlag(chkENTER, converter.GetValue(QStringLiteral("ENTER")));

    const QString form = converter.GetValue(QStringLiteral("A_LINK_TAG_TYPE"));
    if (form == QLatin1String("0")) opt_A_LINK_TAG_TYPE0->setChecked(true);
    else if (form == QLatin1String("1")) opt_A_LINK_TAG_TYPE1->setChecked(true);
    else if (form == QLatin1String("2")) opt_A_LINK_TAG_TYPE2->setChecked(true);
    return true;
}

void frmHTML2TXTSetting::FillTagList() {
    ListView1->clear();
    for (const char* name : kTagNames) {
        auto* item = new QTreeWidgetItem(ListView1, {QLatin1String(name)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
}

void frmHTML2TXTSetting::SetTagChecked(const QString& name, int value) {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->text(0) == name) item->setCheckState(0, value != 0 ? Qt::Checked : Qt::Unchecked);
    }
}

void frmHTML2TXTSetting::StoreTagChecks(clsHTML2TEXT& converter) const {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        converter.SetValue(QStringLiteral("HTML_") + item->text(0),
                           item->checkState(0) == Qt::Checked ? QStringLiteral("-1") : QStringLiteral("0"));
    }
}

void frmHTML2TXTSetting::TabStrip1_Click() {
    for (QWidget* page : Picture1) page->setEnabled(false);
    const int shown = qMax(0, TabStrip1->currentIndex());
    Picture1[shown]->setEnabled(true);
    pages_->setCurrentWidget(Picture1[shown]);
}

bool frmHTML2TXTSetting::StoreSettings(const QString& path) {
    // Settings without a control (and a mode or link form left unchosen) keep
    // what the file held, or the converter's defaults when it cannot be read.
    clsHTML2TEXT converter;
    try {
        if (!converter.Initialize(path)) converter.LoadDefaults();
    } catch (const RuntimeError&) {
        converter.LoadDefaults();
    }

    if (optMODE_TEXT->isChecked()) converter.SetValue(QStringLiteral("MODE"), QStringLiteral("TEXT"));
    else if (optMODE_HTML->isChecked()) converter.SetValue(QStringLiteral("MODE"), QStringLiteral("HTML"));

    StoreTagChecks(converter);

    converter.SetValue(QStringLiteral("HR"), flagOf(chkHR));
    if (!txtHR_NUM->text().trimmed().isEmpty()) converter.SetValue(QStringLiteral("HR_NUM"), txtHR_NUM->text());
    converter.SetValue(QStringLiteral("BR"), flagOf(chkBR));
    converter.SetValue(QStringLiteral("P"), flagOf(chkP));
    converter.SetValue(QStringLiteral("IMG"), flagOf(chkIMG));
    converter.SetValue(QStringLiteral("ANAME"), flagOf(chkANAME));
    converter.SetValue(QStringLiteral("AHREF"), flagOf(chkAHREF));
    converter.SetValue(QStringLiteral("AHREFSharp"), flagOf(chkAHREFSharp));
    converter.SetValue(QStringLiteral("ENTER"), flagOf(chkENTER));

    if (opt_A_LINK_TAG_TYPE0->isChecked()) converter.SetValue(QStringLiteral("A_LINK_TAG_TYPE"), QStringLiteral("0"));
    else if (opt_A_LINK_TAG_TYPE1->isChecked()) converter.SetValue(QStringLiteral("A_LINK_TAG_TYPE"), QStringLiteral("1"));
    else if (opt_A_LINK_TAG_TYPE2->isChecked()) converter.SetValue(QStringLiteral("A_LINK_TAG_TYPE"), QStringLiteral("2"));

    return converter.SaveValue(path);
}

void frmHTML2TXTSetting::Btn_OK_Click() {
    if (!dashCountAcceptable(txtHR_NUM->text())) {
        // Refused before anything is written, so that a typing slip cannot
        // cost the rest of the settings.
        Prompts::MsgBox(tr8("「-」の数には0から32767までの数字を入力してください。"), Prompts::vbExclamation);
        TabStrip1->setCurrentIndex(1);
        txtHR_NUM->setFocus();
        return;
    }
    if (!StoreSettings(settingsFile())) {
        Prompts::MsgBox(tr8("設定ファイルの保存に失敗しました。"), Prompts::vbCritical);
    }
    accept();
}

void frmHTML2TXTSetting::Btn_Cancel_Click() { reject(); }
