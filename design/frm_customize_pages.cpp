// The controls of frmCustomize: the set and category bars, the eight pages
// and the buttons, under their design names.
#include "design/frm_customize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

struct Option {
    const char* name;
    const char* caption;
};

const Option kLeftCenterRight[] = {{"Left", "左"}, {"Center", "中心"}, {"Right", "右"}};

class PageBuilder {
public:
    PageBuilder(QGroupBox* page) : page_(page), layout_(new QVBoxLayout(page)) {}

    QCheckBox* check(const char* name, const char* caption) {
        auto* box = named(new QCheckBox(QString::fromUtf8(caption), page_), name);
        layout_->addWidget(box);
        return box;
    }
    QLineEdit* text(const char* name, const char* label, const char* unit = nullptr) {
        layout_->addWidget(new QLabel(QString::fromUtf8(label), page_));
        auto* row = new QHBoxLayout;
        auto* box = named(new QLineEdit(page_), name);
        row->addWidget(box);
        if (unit) row->addWidget(new QLabel(QString::fromUtf8(unit), page_));
        layout_->addLayout(row);
        return box;
    }
    QGroupBox* group(const char* name, const char* caption, std::initializer_list<Option> options,
                     const char* prefix = "") {
        auto* frame = named(new QGroupBox(QString::fromUtf8(caption), page_), name);
        auto* row = new QHBoxLayout(frame);
        for (const Option& o : options) {
            auto* button = new QRadioButton(QString::fromUtf8(o.caption), frame);
            button->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(o.name));
            row->addWidget(button);
        }
        layout_->addWidget(frame);
        return frame;
    }
    QGroupBox* alignGroup(const char* name, const char* caption) {
        return group(name, caption, {kLeftCenterRight[0], kLeftCenterRight[1], kLeftCenterRight[2]}, name);
    }
    frmCustomize::ColorField colour(const char* label, const char* field, const char* exchange, const char* pick) {
        layout_->addWidget(new QLabel(QString::fromUtf8(label), page_));
        auto* row = new QHBoxLayout;
        frmCustomize::ColorField c;
        c.field = named(new QComboBox(page_), field);
        c.field->setEditable(true);
        c.field->setInsertPolicy(QComboBox::NoInsert);
        c.exchange = named(new QPushButton(QStringLiteral("⇔"), page_), exchange);
        c.pick = named(new QPushButton(QStringLiteral("..."), page_), pick);
        for (QPushButton* b : {c.exchange, c.pick}) b->setFixedWidth(28);
        row->addWidget(c.field, 1);
        row->addWidget(c.exchange);
        row->addWidget(c.pick);
        layout_->addLayout(row);
        return c;
    }
    QPushButton* button(const char* name, const char* caption, QHBoxLayout* row) {
        auto* b = named(new QPushButton(QString::fromUtf8(caption), page_), name);
        row->addWidget(b);
        return b;
    }
    QVBoxLayout* layout() { return layout_; }

private:
    QGroupBox* page_;
    QVBoxLayout* layout_;
};

}  // namespace

void frmCustomize::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* setRow = new QHBoxLayout;
    cmbSelectCustomize = named(new QComboBox(this), "cmbSelectCustomize");
    Btn_New = named(new QPushButton(QStringLiteral("新規"), this), "Btn_New");
    Btn_Delete = named(new QPushButton(QStringLiteral("削除"), this), "Btn_Delete");
    setRow->addWidget(cmbSelectCustomize, 1);
    setRow->addWidget(Btn_New);
    setRow->addWidget(Btn_Delete);
    layout->addLayout(setRow);
    cmbCategory = named(new QComboBox(this), "cmbCategory");
    layout->addWidget(cmbCategory);

    buildPages(layout);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    Btn_OK = named(new QPushButton(QStringLiteral("OK"), this), "Btn_OK");
    Btn_Apply = named(new QPushButton(QStringLiteral("適用"), this), "Btn_Apply");
    Btn_Cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "Btn_Cancel");
    for (QPushButton* b : {Btn_OK, Btn_Apply, Btn_Cancel}) buttons->addWidget(b);
    layout->addLayout(buttons);
}

void frmCustomize::buildPages(QVBoxLayout* layout) {
    auto page = [&](QGroupBox*& member, const char* name, const char* caption) {
        member = named(new QGroupBox(QString::fromUtf8(caption), this), name);
        layout->addWidget(member);
        return PageBuilder(member);
    };

    PageBuilder general = page(optGeneral, "optGeneral", "全般");
    general.text("txtHPTitle", "ホームページのタイトル");
    general.text("txtStyleSheetURL", "StyleSheetのURL");
    general.alignGroup("OptTitleAlign", "月間タイトルの表示位置");
    general.check("chkCalender", "カレンダーを表示する");
    chkTitleList = general.check("chkTitleList", "リストを表示する");
    chkIncludeTitle = general.check("chkIncludeTitle", "リストにタイトル付加");
    txtListMarginLeft = general.text("txtListMarginLeft", "左右余白", "pt");
    general.group("optTitleListType", "タイトルリストの表示形式",
                  {{"optTitleList_List", "リスト"}, {"optTitleList_Table", "テーブル"}});
    general.check("chkLogShow", "過去ログのリンクを表示する");
    general.group("OptLogType", "過去ログ表示タイプ", {{"OptLogTypeNormal", "通常"}, {"OptLogTypeJS", "コンボリスト"}});
    general.alignGroup("OptLogAlign", "過去ログの表示位置");
    general.check("chkWeather", "お天気アイコンを表示する");
    general.check("chkGenre", "ジャンルを表示する");
    general.check("chkQuillbyLink", "Quillbyへのリンクを表示");
    general.text("txtQuillbyLink", "表示するメッセージ");

    PageBuilder head = page(OptHead, "OptHead", "Head");
    auto* headRow = new QHBoxLayout;
    cmbHeadTag = named(new QComboBox(OptHead), "cmbHeadTag");
    headRow->addWidget(cmbHeadTag, 1);
    Btn_Head_New = head.button("Btn_Head_New", "新規", headRow);
    Btn_Head_Delete = head.button("Btn_Head_Delete", "削除", headRow);
    head.layout()->addLayout(headRow);
    head.layout()->addWidget(new QLabel(QStringLiteral("Header部に追加するタグ"), OptHead));
    txtOtherHead = named(new QPlainTextEdit(OptHead), "txtOtherHead");
    head.layout()->addWidget(txtOtherHead);

    PageBuilder body = page(optBody, "optBody", "Body");
    txtBGImage = body.text("txtBGImage", "背景画像<Background>");
    auto* bodyRow = new QHBoxLayout;
    Btn_OpenFolder_BGImage = body.button("Btn_OpenFolder_BGImage", "参照...", bodyRow);
    body.layout()->addLayout(bodyRow);
    colorFields << body.colour("文字色<Text>", "cmbBodyTextColor", "Btn_ColorEx_Text", "Btn_GetColor_Text")
                << body.colour("背景色<BGColor>", "cmbBGColor", "Btn_ColorEx_BGColor", "Btn_GetColor_BGColor")
                << body.colour("リンク色<Link>", "cmbBodyLink", "Btn_ColorEx_Link", "Btn_GetColor_Link")
                << body.colour("アクティブリンク色<ALink>", "cmbBodyAlink", "Btn_ColorEx_ALink", "Btn_GetColor_ALink")
                << body.colour("アクセス済みリンク色<VLink>", "cmbBodyVLink", "Btn_ColorEx_VLink", "Btn_GetColor_VLink");

    PageBuilder headFoot = page(optHeadFoot, "optHeadFoot", "上下追加テキスト");
    OptUpDownState = headFoot.group("OptUpDownState", "場所", {{"OptUpDownUp", "上部"}, {"OptUpDownDown", "下部"}});
    OptUpDownUp = OptUpDownState->findChild<QRadioButton*>(QStringLiteral("OptUpDownUp"));
    OptUpDownDown = OptUpDownState->findChild<QRadioButton*>(QStringLiteral("OptUpDownDown"));
    auto* upDownRow = new QHBoxLayout;
    cmbUpDownText = named(new QComboBox(optHeadFoot), "cmbUpDownText");
    upDownRow->addWidget(cmbUpDownText, 1);
    Btn_New_UpDwn = headFoot.button("Btn_New_UpDwn", "新規", upDownRow);
    Btn_Delete_UpDwn = headFoot.button("Btn_Delete_UpDwn", "削除", upDownRow);
    headFoot.layout()->addLayout(upDownRow);
    txtContents = named(new QPlainTextEdit(optHeadFoot), "txtContents");
    headFoot.layout()->addWidget(txtContents);

    PageBuilder calender = page(optCalender, "optCalender", "Calender");
    calender.text("txtCellPadding", "日付と枠の隙間<Cellpadding>");
    calender.text("txtBorderSize", "境界の幅<Border>");
    chkNoBorder = calender.check("chkNoBorder", "境界を表示しない");
    calender.group("CalenderType", "表示言語", {{"optCTypeEng", "English"}, {"optCTypeJap", "日本語"}});
    calender.alignGroup("OptCdrAlign", "表示位置")->setObjectName(QStringLiteral("CalenderAlign"));
    colorFields
        << calender.colour("背景表示色<Table BGColor>", "cmbTableBGColor", "Btn_ColorEx_TblBG_Clr", "Btn_GetColor_TblBG_Clr")
        << calender.colour("箱内の表示色(曜日列)<TR BGColor>", "cmbTRBGColorTop", "Btn_ColorEx_TR_BGClr_Top",
                           "Btn_GetColor_TR_BGClr_Top")
        << calender.colour("箱内の表示色(日付)<TR BGColor>", "cmbTRBGColor", "Btn_ColorEx_TR_BG_Clr",
                           "Btn_GetColor_TR_BG_Clr")
        << calender.colour("境界表示色<BorderColor>", "cmbBorderColor", "Btn_ColorEx_Brdr_Clr", "Btn_GetColor_Brdr_Clr")
        << calender.colour("境界表示色(明)<BorderColorLight>", "cmbBorderColorLight", "Btn_ColorEx_Brdr_Clr_Lit",
                           "Btn_GetColor_Brdr_Clr_Lit")
        << calender.colour("境界表示色(暗)<BorderColorDark>", "cmbBorderColorDark", "Btn_ColorEx_Brdr_Clr_Drk",
                           "Btn_GetColor_Brdr_Clr_Drk");

    PageBuilder contents = page(optContents, "optContents", "本文");
    contents.group("optHTMLType", "Type", {{"optHTMLTypeNormal", "Normal"}, {"optHTMLTypeTable", "Table"}});
    optHTMLTypeNormal = optContents->findChild<QRadioButton*>(QStringLiteral("optHTMLTypeNormal"));
    contents.text("txtTitleSpanTag", "タイトル用のSPANタグ<SPAN STYLE>");
    txtContentsTableBorder = contents.text("txtContentsTableBorder", "境界の幅<Border>");
    txtContentsCellSpacing = contents.text("txtContentsCellSpacing", "枠の隙間<Cellspacing>");
    contents.text("txtDayTblWidth", "テーブル幅<Width>", "%");
    contents.alignGroup("OptDayTitleAlign", "日々のタイトルの表示位置");
    contents.alignGroup("OptDayAlign", "日々の内容の表示位置");
    colorFields
        << contents.colour("タイトルの文字色", "cmbTitleFTColor", "Btn_ColorEx_Ttl_FT_C", "Btn_GetColor_Ttl_FT_C")
        << contents.colour("タイトルの背景色", "cmbTitleBGColor", "Btn_ColorEx_Ttl_BG_C", "Btn_GetColor_Ttl_BG_C")
        << contents.colour("本文の文字色", "cmbContentsFTColor", "Btn_ColorEx_Cts_FT_C", "Btn_GetColor_Cts_FT_C")
        << contents.colour("本文の背景色", "cmbContentsBGColor", "Btn_ColorEx_Cts_BG_C", "Btn_GetColor_Cts_BG_C")
        << contents.colour("日付の文字色", "cmbDayFTColor", "Btn_ColorEx_Day_FT_C", "Btn_GetColor_Day_FT_C")
        << contents.colour("日付の背景色", "cmbDayBGColor", "Btn_ColorEx_Day_BG_C", "Btn_GetColor_Day_BG_C")
        << contents.colour("境界表示色<BorderColor>", "cmbTBorderColor", "Btn_ColorEx_TBorderC", "Btn_GetColor_TBorderC")
        << contents.colour("テーブルの背景色<Table BG Color>", "cmbContentsTableBGColor", "Btn_ColorEx_Table_BG_C",
                           "Btn_GetColor_Table_BG_C");

    PageBuilder pageMove = page(optPageMoveLink, "optPageMoveLink", "ページ間移動リンク");
    chkPageMoveOn = pageMove.check("chkPageMoveOn", "PageMoveLinkを使用する");
    OptPageMoveLinkAlign = pageMove.group("OptPageMoveLinkAlign", "表示位置",
                                          {{"Left", "左"}, {"Center", "中心"}, {"Right", "右"}}, "OptPageMoveLink_");
    OptPageMoveLang = pageMove.group("OptPageMoveLang", "表示言語", {{"Eng", "English"}, {"Jap", "日本語"}}, "OptPageMoveLang_");
    txtPageMoveSeparator = pageMove.text("txtPageMoveSeparator", "セパレータ");

    PageBuilder frame = page(optCalenderFrame, "optCalenderFrame", "左側フレーム");
    txtLFrameBGImage = frame.text("txtLFrameBGImage", "背景画像<Background>");
    auto* frameRow = new QHBoxLayout;
    Btn_LFrameOpenFolder_BGImage = frame.button("Btn_LFrameOpenFolder_BGImage", "参照...", frameRow);
    frame.layout()->addLayout(frameRow);
    colorFields << frame.colour("文字色<Text>", "cmbLFrameTextColor", "Btn_LFrameColorEx_Text", "Btn_LFrameGetColor_Text")
                << frame.colour("背景色<BGColor>", "cmbLFrameBGColor", "Btn_LFrameColorEx_BGColor",
                                "Btn_LFrameGetColor_BGColor");
}
