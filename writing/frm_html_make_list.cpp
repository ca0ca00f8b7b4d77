#include "writing/frm_html_make_list.h"

#include "platform/prompts.h"
#include "core/window_place.h"
#include "writing/tag_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

frmHTMLMakeList::frmHTMLMakeList() : SingleTagDialog(QStringLiteral("HTML Editor(List)")) {
    GroupList = new QGroupBox(QStringLiteral("ListType"), this);
    optTypeUL = new QRadioButton(QStringLiteral("記号 <UL>"), GroupList);
    optTypeOL = new QRadioButton(QStringLiteral("番号 <OL>"), GroupList);
    cmbUL = new QComboBox(GroupList);
    cmbUL->setEditable(true);
    cmbUL->setInsertPolicy(QComboBox::NoInsert);
    cmbUL->addItems({QStringLiteral("●(黒丸)"), QStringLiteral("○(白丸)"), QStringLiteral("■(四角)")});
    cmbOL = new QComboBox(GroupList);
    cmbOL->setEditable(true);
    cmbOL->setInsertPolicy(QComboBox::NoInsert);
    cmbOL->addItems({QStringLiteral("算用数字(1,2,...)"), QStringLiteral("ﾛｰﾏ数字大(i,ii,...)"),
                     QStringLiteral("ﾛｰﾏ数字小(I,II...)"), QStringLiteral("英字大(A,B,...)"),
                     QStringLiteral("英字小(a,b,...)")});
    txtOLStart = new QLineEdit(QStringLiteral("1"), GroupList);
    Label1 = new QLabel(QStringLiteral("開始番号"), GroupList);
    txtListContents = new QPlainTextEdit(this);
    txtListContents->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    chkDeleteLastLi = new QCheckBox(QStringLiteral("最後にある改行のみの行は削除"), this);
    chkDeleteLastLi->setChecked(true);
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* group = new QGridLayout(GroupList);
    group->addWidget(optTypeUL, 0, 0);
    group->addWidget(cmbUL, 0, 1, 1, 3);
    group->addWidget(optTypeOL, 1, 0);
    group->addWidget(cmbOL, 1, 1);
    group->addWidget(Label1, 1, 2);
    group->addWidget(txtOLStart, 1, 3);
    auto* grid = new QGridLayout(this);
    grid->addWidget(GroupList, 0, 0, 1, 3);
    grid->addWidget(txtListContents, 1, 0, 1, 3);
    grid->addWidget(chkDeleteLastLi, 2, 0, 1, 3);
    grid->addWidget(Btn_OK, 3, 1);
    grid->addWidget(Btn_Cancel, 3, 2);
    grid->setRowStretch(1, 1);
    // The width is held; the height grows with the list box.
    setFixedWidth(WindowPlace::toPixels(4725));
    setMinimumHeight(WindowPlace::toPixels(2145));
    txtOLStart->setMaximumWidth(40);

    connect(optTypeUL, &QRadioButton::clicked, this, &frmHTMLMakeList::optTypeUL_Click);
    connect(optTypeOL, &QRadioButton::clicked, this, &frmHTMLMakeList::optTypeOL_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmHTMLMakeList::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmHTMLMakeList::Btn_Cancel_Click);
    txtOLStart->installEventFilter(this);
    Form_Load();
}

void frmHTMLMakeList::Form_Load() {
    TagDialog::Form_Load();
    optTypeUL->setChecked(true);
    optTypeUL_Click();
    cmbUL->setCurrentIndex(0);
    cmbOL->setCurrentIndex(-1);
    cmbOL->setEditText(QStringLiteral("算用数字(1,2,3,...)"));
}

void frmHTMLMakeList::optTypeUL_Click() {
    cmbUL->setEnabled(true);
    cmbOL->setEnabled(false);
    txtOLStart->setEnabled(false);
}

void frmHTMLMakeList::optTypeOL_Click() {
    cmbUL->setEnabled(false);
    cmbOL->setEnabled(true);
    txtOLStart->setEnabled(true);
}

bool frmHTMLMakeList::eventFilter(QObject* watched, QEvent* event) {
    // Only a move to another control of this window leaves the box; the
    // message box itself would otherwise report the box again.
    if (watched == txtOLStart && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        txtOLStart_LostFocus();
    return TagDialog::eventFilter(watched, event);
}

void frmHTMLMakeList::txtOLStart_LostFocus() {
    if (TagText::isNumeric(txtOLStart->text())) return;
    Prompts::MsgBox(QStringLiteral("不正な文字列が与えられました。\rここには数値を入力してください。"), Prompts::vbCritical);
    txtOLStart->setFocus();
}

void frmHTMLMakeList::Btn_OK_Click() {
    insertIntoBody(TagText::listTag(optTypeOL->isChecked(), listIndexOf(cmbUL), listIndexOf(cmbOL),
                                    txtOLStart->text(), txtListContents->toPlainText(),
                                    chkDeleteLastLi->isChecked()));
    Unload();
}

void frmHTMLMakeList::Btn_Cancel_Click() { Unload(); }
