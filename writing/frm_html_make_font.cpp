#include "writing/frm_html_make_font.h"

#include "writing/tag_text.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

frmHTMLMakeFont::frmHTMLMakeFont() : SingleTagDialog(QStringLiteral("HTML Editor(Font)")) {
    optG_Size = new QGroupBox(this);
    optAbsolute = new QRadioButton(QStringLiteral("絶対値"), optG_Size);
    optRelative = new QRadioButton(QStringLiteral("相対値"), optG_Size);
    cmbSize = new QComboBox(this);
    cmbColor = new QComboBox(this);
    cmbColor->setEditable(true);
    cmbColor->setInsertPolicy(QComboBox::NoInsert);
    cmbColor->setMaxVisibleItems(20);
    Btn_Color_Exchange = new QPushButton(QStringLiteral("⇔"), this);
    Btn_GetColorDialog = new QPushButton(QStringLiteral("..."), this);
    cmbFace = new QComboBox(this);
    cmbFace->setEditable(true);
    cmbFace->setInsertPolicy(QComboBox::NoInsert);
    cmbFace->setMaxVisibleItems(20);
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {Btn_Color_Exchange, Btn_GetColorDialog}) b->setFixedWidth(28);

    auto* sizes = new QHBoxLayout(optG_Size);
    sizes->addWidget(optAbsolute);
    sizes->addWidget(optRelative);
    sizes->addWidget(cmbSize);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("大きさ<SIZE>"), this), 0, 0);
    grid->addWidget(optG_Size, 0, 1, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("色<COLOR>"), this), 1, 0);
    grid->addWidget(cmbColor, 1, 1, 1, 2);
    grid->addWidget(Btn_Color_Exchange, 1, 3);
    grid->addWidget(Btn_GetColorDialog, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("フォント<FACE>"), this), 2, 0);
    grid->addWidget(cmbFace, 2, 1, 1, 4);
    grid->addWidget(Btn_OK, 3, 1);
    grid->addWidget(Btn_Cancel, 3, 2, 1, 3);

    connect(optAbsolute, &QRadioButton::clicked, this, &frmHTMLMakeFont::optAbsolute_Click);
    connect(optRelative, &QRadioButton::clicked, this, &frmHTMLMakeFont::optRelative_Click);
    connect(Btn_Color_Exchange, &QPushButton::clicked, this, &frmHTMLMakeFont::Btn_Color_Exchange_Click);
    connect(Btn_GetColorDialog, &QPushButton::clicked, this, &frmHTMLMakeFont::Btn_GetColorDialog_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmHTMLMakeFont::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmHTMLMakeFont::Btn_Cancel_Click);
    Form_Load();
    setFixedSize(sizeHint());
}

void frmHTMLMakeFont::Form_Load() {
    TagDialog::Form_Load();
    optAbsolute->setChecked(true);
    fillAbsoluteSizes();
    TagColors::fillColorNames(cmbColor);
    cmbFace->clear();
    cmbFace->addItems(QFontDatabase::families());
    cmbFace->setCurrentIndex(-1);
}

void frmHTMLMakeFont::fillAbsoluteSizes() {
    cmbSize->clear();
    for (int i = 1; i <= 7; ++i) cmbSize->addItem(QString::number(i));
    cmbSize->setCurrentIndex(-1);
}

void frmHTMLMakeFont::optAbsolute_Click() {
    fillAbsoluteSizes();
    cmbSize->setCurrentText(QStringLiteral("4"));
}

void frmHTMLMakeFont::optRelative_Click() {
    cmbSize->clear();
    for (const char* size : {"-6", "-5", "-4", "-3", "-2", "-1", "+1", "+2", "+3", "+4", "+5", "+6"})
        cmbSize->addItem(QLatin1String(size));
    cmbSize->setCurrentText(QStringLiteral("+2"));
}

void frmHTMLMakeFont::Btn_Color_Exchange_Click() { TagColors::exchange(cmbColor); }

void frmHTMLMakeFont::Btn_GetColorDialog_Click() { TagColors::choose(cmbColor, dialogColor_); }

void frmHTMLMakeFont::Btn_OK_Click() {
    const QString tag = TagText::fontTag(cmbSize->currentText(), cmbColor->currentText(), cmbFace->currentText());
    insertIntoBody(tag + bodySelection() + QStringLiteral("</FONT>"));
    Unload();
}

void frmHTMLMakeFont::Btn_Cancel_Click() { Unload(); }
