// frmCustomize: how its controls report changes, the dependent-control rules,
// the colour buttons and the background-picture buttons.
#include "design/frm_customize.h"

#include "platform/field_text.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/file_dialogs.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "site/colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString tagOf(const QObject* control) { return control->property("Tag").toString(); }
void setTag(QObject* control, const QString& value) { control->setProperty("Tag", value); }

}  // namespace

void frmCustomize::wireChangeTracking() {
    // Option buttons and check boxes of the pages: everything but the
    // header/footer position, which switches text blocks instead.
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, [this, box] { Immediate_Click(box); });
    for (QRadioButton* button : findChildren<QRadioButton*>()) {
        if (button == OptUpDownUp || button == OptUpDownDown) continue;
        connect(button, &QRadioButton::toggled, this, [this, button](bool on) {
            // The rule follows the table type both ways; the rest react to the chosen button only.
            if (on || button->objectName().startsWith(QLatin1String("optHTMLType"))) Immediate_Click(button);
        });
    }
    connect(OptUpDownUp, &QRadioButton::toggled, this, [this](bool on) { if (on) OptUpDownUp_Click(); });
    connect(OptUpDownDown, &QRadioButton::toggled, this, [this](bool on) { if (on) OptUpDownDown_Click(); });

    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(box->parent())) continue;  // a combo's own editor
        connect(box, &QLineEdit::textChanged, this, [this, box] { Deferred_Change(box); });
        box->installEventFilter(this);
    }
    for (const ColorField& c : std::as_const(colorFields)) {
        QComboBox* field = c.field;
        // A pick from the list counts as a typed change, so the preview shows it too.
        connect(field, &QComboBox::editTextChanged, this, [this, field] { Deferred_Change(field); });
        field->installEventFilter(this);
        field->lineEdit()->installEventFilter(this);
        connect(c.exchange, &QPushButton::clicked, this, [this, field] { ColorEx_Click(field); });
        connect(c.pick, &QPushButton::clicked, this, [this, field] { GetColor_Click(field); });
    }
    for (QPlainTextEdit* box : {txtOtherHead, txtContents}) {
        connect(box, &QPlainTextEdit::textChanged, this, [this, box] { Deferred_Change(box); });
        box->installEventFilter(this);
    }

    connect(Btn_OpenFolder_BGImage, &QPushButton::clicked, this, [this] { OpenFolder_BGImage_Click(txtBGImage); });
    connect(Btn_LFrameOpenFolder_BGImage, &QPushButton::clicked, this,
            [this] { OpenFolder_BGImage_Click(txtLFrameBGImage); });
    connect(Btn_Apply, &QPushButton::clicked, this, &frmCustomize::Btn_Apply_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmCustomize::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmCustomize::Btn_Cancel_Click);
    connect(Btn_New, &QPushButton::clicked, this, &frmCustomize::Btn_New_Click);
    connect(Btn_Delete, &QPushButton::clicked, this, &frmCustomize::Btn_Delete_Click);
    connect(Btn_Head_New, &QPushButton::clicked, this, &frmCustomize::Btn_Head_New_Click);
    connect(Btn_Head_Delete, &QPushButton::clicked, this, &frmCustomize::Btn_Head_Delete_Click);
    connect(Btn_New_UpDwn, &QPushButton::clicked, this, &frmCustomize::Btn_New_UpDwn_Click);
    connect(Btn_Delete_UpDwn, &QPushButton::clicked, this, &frmCustomize::Btn_Delete_UpDwn_Click);
    connect(cmbSelectCustomize, &QComboBox::currentIndexChanged, this, &frmCustomize::cmbSelectCustomize_Click);
    connect(cmbCategory, &QComboBox::currentIndexChanged, this, &frmCustomize::cmbCategory_Click);
    connect(cmbHeadTag, &QComboBox::currentIndexChanged, this, &frmCustomize::cmbHeadTag_Click);
    connect(cmbUpDownText, &QComboBox::currentIndexChanged, this, &frmCustomize::cmbUpDownText_Click);
}

bool frmCustomize::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        QObject* control = watched;
        // A colour field's editor loses the focus on behalf of its combo.
        if (auto* combo = qobject_cast<QComboBox*>(watched->parent()); combo) control = combo;
        if (auto* w = qobject_cast<QWidget*>(control)) Deferred_LostFocus(w);
    }
    return QWidget::eventFilter(watched, event);
}

void frmCustomize::Immediate_Click(QWidget* control) {
    if (control == chkNoBorder) UpdateBorderControls();
    else if (control == chkTitleList) UpdateTitleListControls();
    else if (control == chkPageMoveOn) UpdatePageMoveControls();
    else if (control->objectName().startsWith(QLatin1String("optHTMLType"))) UpdateHTMLTypeControls();
    MarkChanged();
    RefreshPreview();
}

void frmCustomize::Deferred_Change(QWidget* control) {
    MarkChanged();
    if (loading_) return;
    if (control == txtOtherHead || control == txtContents) {
        auto* box = static_cast<QPlainTextEdit*>(control);
        blocks_.edit(boxOf(box), FieldText::of(box));
        showMark(box);
        return;
    }
    setTag(control, QStringLiteral("Yes"));
}

void frmCustomize::Deferred_LostFocus(QWidget* control) {
    if (tagOf(control) != QLatin1String("Yes")) return;
    if (control == txtOtherHead || control == txtContents) {
        // Without the live preview nothing saves a text block on leaving its
        // box; the edit waits for Apply instead of being dropped.
        if (!livePreview_) return;
        RefreshPreview();
        showMark(static_cast<QPlainTextEdit*>(control));
        return;
    }
    RefreshPreview();
    setTag(control, QString());
}

// ---- Dependent controls ----

void frmCustomize::UpdateBorderControls() {
    const bool usable = !chkNoBorder->isChecked();
    for (const char* name : {"cmbBorderColor", "cmbBorderColorLight", "cmbBorderColorDark"})
        findChild<QComboBox*>(QString::fromLatin1(name))->setEnabled(usable);
}

void frmCustomize::UpdateTitleListControls() {
    const bool usable = chkTitleList->isChecked();
    chkIncludeTitle->setEnabled(usable);
    txtListMarginLeft->setEnabled(usable);
}

void frmCustomize::UpdatePageMoveControls() {
    // The frames carry their option buttons with them.
    const bool usable = chkPageMoveOn->isChecked();
    OptPageMoveLinkAlign->setEnabled(usable);
    OptPageMoveLang->setEnabled(usable);
    txtPageMoveSeparator->setEnabled(usable);
}

void frmCustomize::UpdateHTMLTypeControls() {
    const bool usable = !optHTMLTypeNormal->isChecked();
    txtContentsTableBorder->setEnabled(usable);
    findChild<QComboBox*>(QStringLiteral("cmbTBorderColor"))->setEnabled(usable);
    txtContentsCellSpacing->setEnabled(usable);
}

// ---- Colour fields ----

void frmCustomize::ColorEx_Click(QComboBox* field) {
    QString result;
    try {
        result = Colors::LookupColorName(field->currentText(), colorNameFile());
    } catch (...) {
        return;  // without the colour list there is nothing to swap
    }
    if (result == QLatin1String("Error") || result == QLatin1String("Nothing")) return;
    field->setEditText(result);
    MarkChanged();
    if (!loading_) {
        RefreshPreview();
        setTag(field, QString());
    }
}

void frmCustomize::GetColor_Click(QComboBox* field) {
    // A text the dialog cannot start from is named to the user; Cancel in the
    // dialog ends the button quietly.
    const QString text = field->currentText();
    if (!text.isEmpty()) {
        QString code = text;
        try {
            if (!code.startsWith(QLatin1Char('#'))) code = Colors::LookupColorName(code, colorNameFile());
            dialogColor_ = Colors::HexToColor(code.mid(1));
        } catch (...) {
            Prompts::MsgBox(QStringLiteral("「") + text +
                                QStringLiteral("」は色ではありません。\n色の名前か、#に続く6桁の16進数(#RRGGBB)を入力してください。"),
                            Prompts::vbExclamation);
            return;
        }
    }
    try {
        int color = dialogColor_;
        if (!Prompts::current().color(color)) return;
        dialogColor_ = color;
        field->setEditText(QLatin1Char('#') + Colors::ColorToHex(quint32(color)));
        MarkChanged();
        if (!loading_) {
            RefreshPreview();
            setTag(field, QString());
        }
    } catch (...) {
    }
}

// ---- Background pictures ----

void frmCustomize::OpenFolder_BGImage_Click(QLineEdit* box) {
    QString filter;
    for (const char* item : {"Image Files(*.gif,*.jpg,*.png)", "*.gif;*.jpg;*.png", "GIF Files(*.gif)", "*.gif",
                             "JPEG Files(*.jpg)", "*.jpg", "PNG Files(*.png)", "*.png", "ALL Files(*.*)", "*.*"})
        filter += QString::fromLatin1(item) + QChar(0);
    const QString path = FileDialogs::ShowOpenDialog(filter, dataPath_ + QStringLiteral("RaravParts"));
    if (path.isEmpty()) return;
    if (!QFileInfo(path).isFile()) {
        Prompts::MsgBox(QStringLiteral("不正なパスです。"), Prompts::vbInformation);
        return;
    }
    box->setText(QStringLiteral("./RaravParts/") + PathParts::GetFileName(path));
    if (Prompts::MsgBox(QStringLiteral("ファイルを登録しますか？"), Prompts::vbYesNo) == Prompts::vbYes &&
        Shell::hooks().resistFile)
        Shell::hooks().resistFile(path, QStringLiteral("ALL"), 0);
    MarkChanged();
    RefreshPreview();
}
