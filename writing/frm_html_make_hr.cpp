#include "writing/frm_html_make_hr.h"

#include "platform/prompts.h"
#include "writing/tag_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kNotNumber = QStringLiteral("不正な文字列が入力されました。\r\n数字を入力してください。");

}  // namespace

frmHTMLMakeHR::frmHTMLMakeHR() : SingleTagDialog(QStringLiteral("HTML Editor(HR)")) {
    txtSize = new QLineEdit(QStringLiteral("2"), this);
    txtWidth = new QLineEdit(QStringLiteral("100"), this);
    cmbWidthUnit = new QComboBox(this);
    cmbWidthUnit->addItems({QStringLiteral("%"), QStringLiteral("px")});
    cmbAlign = new QComboBox(this);
    cmbAlign->addItems({QStringLiteral("左[left]"), QStringLiteral("真ん中[center]"), QStringLiteral("右[right]")});
    chkNoshade = new QCheckBox(QStringLiteral("影なし[NOSHADE]"), this);
    cmbColor = new QComboBox(this);
    cmbColor->setEditable(true);
    cmbColor->setInsertPolicy(QComboBox::NoInsert);
    cmbColor->setMaxVisibleItems(20);
    Btn_Color_Exchange = new QPushButton(QStringLiteral("⇔"), this);
    Btn_GetColorDialog = new QPushButton(QStringLiteral("..."), this);
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {Btn_Color_Exchange, Btn_GetColorDialog}) b->setFixedWidth(28);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("太さ[SIZE]"), this), 0, 0);
    grid->addWidget(txtSize, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("幅[WIDTH]"), this), 1, 0);
    grid->addWidget(txtWidth, 1, 1);
    grid->addWidget(cmbWidthUnit, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("位置[ALIGN]"), this), 2, 0);
    grid->addWidget(cmbAlign, 2, 1, 1, 2);
    grid->addWidget(chkNoshade, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("色[COLOR]"), this), 4, 0);
    grid->addWidget(cmbColor, 4, 1, 1, 2);
    grid->addWidget(Btn_Color_Exchange, 4, 3);
    grid->addWidget(Btn_GetColorDialog, 4, 4);
    grid->addWidget(new QLabel(QStringLiteral("ieのみ対応"), this), 5, 1, 1, 2);
    grid->addWidget(Btn_OK, 6, 1);
    grid->addWidget(Btn_Cancel, 6, 2, 1, 3);
    setFixedSize(sizeHint());

    connect(txtWidth, &QLineEdit::textChanged, this, &frmHTMLMakeHR::txtWidth_Change);
    connect(cmbWidthUnit, &QComboBox::currentIndexChanged, this, &frmHTMLMakeHR::txtWidth_Change);
    connect(Btn_Color_Exchange, &QPushButton::clicked, this, &frmHTMLMakeHR::Btn_Color_Exchange_Click);
    connect(Btn_GetColorDialog, &QPushButton::clicked, this, &frmHTMLMakeHR::Btn_GetColorDialog_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmHTMLMakeHR::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmHTMLMakeHR::Btn_Cancel_Click);
    Form_Load();
}

void frmHTMLMakeHR::Form_Load() {
    TagDialog::Form_Load();
    cmbWidthUnit->setCurrentIndex(0);
    cmbAlign->setCurrentIndex(1);
    cmbAlign->setEnabled(false);
    TagColors::fillColorNames(cmbColor);
}

bool frmHTMLMakeHR::pixels() const { return cmbWidthUnit->currentText() == QLatin1String("px"); }

void frmHTMLMakeHR::txtWidth_Change() {
    switch (TagText::checkRuleWidth(txtWidth->text(), pixels())) {
    case TagText::WidthCheck::NotNumeric:
        Prompts::MsgBox(kNotNumber, Prompts::vbCritical);
        txtWidth->setFocus();
        return;
    case TagText::WidthCheck::OutOfRange:
        Prompts::MsgBox(QStringLiteral("値の範囲は、0～100%でお願いします。"), Prompts::vbCritical);
        txtWidth->setFocus();
        return;
    case TagText::WidthCheck::Ok: break;
    }
    int width = 0;
    const bool full = !pixels() && TagText::toWholeNumber(txtWidth->text(), width) && width == 100;
    cmbAlign->setEnabled(!full);
}

void frmHTMLMakeHR::Btn_Color_Exchange_Click() { TagColors::exchange(cmbColor); }

void frmHTMLMakeHR::Btn_GetColorDialog_Click() { TagColors::choose(cmbColor, dialogColor_); }

void frmHTMLMakeHR::Btn_OK_Click() {
    TagText::Rule rule;
    // A size or width that is no whole number would make no sensible tag; the
    // box is pointed out instead of failing the window.
    if (!TagText::toWholeNumber(txtSize->text(), rule.size)) {
        Prompts::MsgBox(kNotNumber, Prompts::vbCritical);
        txtSize->setFocus();
        return;
    }
    if (!TagText::toWholeNumber(txtWidth->text(), rule.width)) {
        Prompts::MsgBox(kNotNumber, Prompts::vbCritical);
        txtWidth->setFocus();
        return;
    }
    rule.pixels = pixels();
    rule.align = cmbAlign->currentIndex();
    rule.noshade = chkNoshade->isChecked();
    rule.color = cmbColor->currentText();
    insertIntoBody(TagText::ruleTag(rule));
    Unload();
}

void frmHTMLMakeHR::Btn_Cancel_Click() { Unload(); }
