#include "writing/frm_html_make_image.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/parts_registry.h"
#include "core/file_dialogs.h"
#include "core/file_names.h"
#include "core/path_parts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "writing/frm_contents.h"
#include "writing/tag_text.h"
#include "writing/wait_cursor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

namespace {

QPointer<frmHTMLMakeImage>& theDialog() {
    static QPointer<frmHTMLMakeImage> dialog;
    return dialog;
}

const QString kPreviewTitle = QStringLiteral("Quillby for GDI+");
const QString kParts = QStringLiteral("./RaravParts/");

QCheckBox* checkBox(const char* caption, QWidget* parent) { return new QCheckBox(QString::fromUtf8(caption), parent); }

QComboBox* unitBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems({QStringLiteral("px"), QStringLiteral("%")});
    return box;
}

QSpinBox* spacingBox(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, 100);
    box->setSingleStep(1);
    return box;
}

}  // namespace

frmHTMLMakeImage* frmHTMLMakeImage::showDialog() {
    if (!theDialog()) theDialog() = new frmHTMLMakeImage();
    theDialog()->show();
    theDialog()->raise();
    return theDialog();
}

frmHTMLMakeImage* frmHTMLMakeImage::current() { return theDialog(); }

void frmHTMLMakeImage::unloadIfLoaded() {
    if (theDialog()) theDialog()->Unload();
}

frmHTMLMakeImage::frmHTMLMakeImage() : QWidget(nullptr, Qt::Window) {
    setWindowTitle(QStringLiteral("イメージタグ挿入"));
    txt_FilePath = new QLineEdit(this);
    Btn_Open = new QPushButton(QStringLiteral("..."), this);
    Btn_Open->setFixedWidth(28);
    chk_FileRename = checkBox("ファイル名を変更して登録", this);
    chk_FileRename->setToolTip(
        QStringLiteral("ファイル名を変更してQuillbyに登録およびRaravPartsフォルダにコピーします"));
    chk_AutoFileName = checkBox("ファイル名自動取得", this);
    txt_RenamedFileName = new QLineEdit(this);
    txt_TagSRC = new QLineEdit(this);
    chk_TagWidth = checkBox("幅 [Width]", this);
    txt_TagWidth = new QLineEdit(this);
    cmb_TagWidth = unitBox(this);
    chk_TagHeight = checkBox("高さ [Height]", this);
    txt_TagHeight = new QLineEdit(this);
    cmb_TagHeight = unitBox(this);
    chk_TagAlign = checkBox("位置 [Align]", this);
    cmb_TagAlign = new QComboBox(this);
    cmb_TagAlign->setEditable(true);
    cmb_TagAlign->setInsertPolicy(QComboBox::NoInsert);
    cmb_TagAlign->addItems({QStringLiteral("texttop"), QStringLiteral("absmiddle"), QStringLiteral("absbottom"),
                            QStringLiteral("baseline"), QStringLiteral("left"), QStringLiteral("right")});
    cmb_TagAlign->setCurrentIndex(-1);
    chk_TagBorder = checkBox("外枠 [Border]", this);
    txt_TagBorder = spacingBox(this);
    chk_TagHspace = checkBox("横余白 [Hspace]", this);
    txt_TagHspace = spacingBox(this);
    chk_TagVspace = checkBox("縦余白 [Vspace]", this);
    txt_TagVspace = spacingBox(this);
    chk_TagAlt = checkBox("代替テキスト [Alt]", this);
    txt_TagAlt = new QLineEdit(this);
    chk_TagOther = checkBox("その他（属性等）", this);
    txt_TagOther = new QLineEdit(this);
    chk_AddDiv = checkBox("DIVタグで属性付加", this);
    txt_AddDiv = new QLineEdit(this);
    txt_InsertTag = new QPlainTextEdit(this);
    txt_InsertTag->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txt_InsertTag->setBackgroundRole(QPalette::Button);
    txt_InsertTag->setMaximumHeight(70);
    Pic_Preview = new QLabel(this);
    Pic_Preview->setFixedSize(TagText::kPreviewSide, TagText::kPreviewSide);
    Pic_Preview->setFrameShape(QFrame::Box);
    lbl_Preview = new QLabel(QStringLiteral("プレビュー"), this);
    lbl_Size = new QLabel(QStringLiteral("Size : "), this);
    chk_Resist = checkBox("画像ファイルを登録する", this);
    chk_Resist->setToolTip(QStringLiteral("チェックが入っていない場合、ファイルのコピーおよびFTPは手動で行ってください"));
    chk_Resist->setChecked(true);
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("画像ファイルのパス（ローカルのパス）"), this), row++, 0, 1, 3);
    grid->addWidget(txt_FilePath, row, 0, 1, 2);
    grid->addWidget(Btn_Open, row++, 2);
    grid->addWidget(chk_FileRename, row, 0);
    grid->addWidget(chk_AutoFileName, row++, 1);
    grid->addWidget(txt_RenamedFileName, row++, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("ファイルのURL [SRC]"), this), row, 0);
    grid->addWidget(txt_TagSRC, row++, 1, 1, 2);
    const auto attribute = [&](QCheckBox* check, QWidget* value, QWidget* unit = nullptr) {
        grid->addWidget(check, row, 0);
        grid->addWidget(value, row, 1, 1, unit ? 1 : 2);
        if (unit) grid->addWidget(unit, row, 2);
        ++row;
    };
    attribute(chk_TagWidth, txt_TagWidth, cmb_TagWidth);
    attribute(chk_TagHeight, txt_TagHeight, cmb_TagHeight);
    attribute(chk_TagAlign, cmb_TagAlign);
    attribute(chk_TagBorder, txt_TagBorder);
    attribute(chk_TagHspace, txt_TagHspace);
    attribute(chk_TagVspace, txt_TagVspace);
    attribute(chk_TagAlt, txt_TagAlt);
    attribute(chk_TagOther, txt_TagOther);
    attribute(chk_AddDiv, txt_AddDiv);
    grid->addWidget(new QLabel(QStringLiteral("生成されるタグ"), this), row++, 0, 1, 3);
    grid->addWidget(txt_InsertTag, row++, 0, 1, 3);
    grid->addWidget(lbl_Preview, 0, 3);
    grid->addWidget(Pic_Preview, 1, 3, 7, 1, Qt::AlignTop);
    grid->addWidget(lbl_Size, 8, 3);
    grid->addWidget(chk_Resist, row, 0, 1, 2);
    grid->addWidget(Btn_OK, row, 2);
    grid->addWidget(Btn_Cancel, row, 3);

    for (QCheckBox* c : {chk_TagWidth, chk_TagHeight, chk_TagAlign, chk_TagBorder, chk_TagHspace, chk_TagVspace,
                         chk_TagAlt, chk_TagOther, chk_AddDiv})
        connect(c, &QCheckBox::toggled, this, &frmHTMLMakeImage::BuildImageTag);
    for (QComboBox* c : {cmb_TagAlign, cmb_TagWidth, cmb_TagHeight})
        connect(c, &QComboBox::currentTextChanged, this, &frmHTMLMakeImage::BuildImageTag);
    for (QLineEdit* t : {txt_AddDiv, txt_TagAlt, txt_TagHeight, txt_TagOther, txt_TagSRC, txt_TagWidth})
        connect(t, &QLineEdit::textChanged, this, &frmHTMLMakeImage::BuildImageTag);
    for (QSpinBox* s : {txt_TagBorder, txt_TagHspace, txt_TagVspace})
        connect(s, &QSpinBox::textChanged, this, &frmHTMLMakeImage::BuildImageTag);
    connect(txt_FilePath, &QLineEdit::textChanged, this, &frmHTMLMakeImage::txt_FilePath_Change);
    connect(txt_RenamedFileName, &QLineEdit::textChanged, this, &frmHTMLMakeImage::txt_RenamedFileName_Change);
    connect(chk_FileRename, &QCheckBox::toggled, this, &frmHTMLMakeImage::chk_FileRename_Click);
    connect(chk_AutoFileName, &QCheckBox::toggled, this, &frmHTMLMakeImage::chk_AutoFileName_Click);
    connect(Btn_Open, &QPushButton::clicked, this, &frmHTMLMakeImage::Btn_Open_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmHTMLMakeImage::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmHTMLMakeImage::Btn_Cancel_Click);
    Form_Load();
}

void frmHTMLMakeImage::Form_Load() {
    cmb_TagWidth->setCurrentText(QStringLiteral("px"));
    cmb_TagHeight->setCurrentText(QStringLiteral("px"));
    SetRenameFieldState();
    const QString ini = Shell::state().RaravIniFile;
    txt_AddDiv->setText(RaravIni::read(ini, RaravIni::AddDivText));
    txt_TagOther->setText(RaravIni::read(ini, RaravIni::TagOtherText));
    BuildImageTag();
}

void frmHTMLMakeImage::Btn_Open_Click() {
    QString start;
    if (!txt_FilePath->text().isEmpty()) {
        start = PathParts::GetFolderPath(txt_FilePath->text());
    } else {
        start = RaravIni::read(Shell::state().RaravIniFile, RaravIni::IMGPath);
        start = start.left(start.indexOf(QChar(0)));
        if (start.isEmpty()) start = QStringLiteral("/");
    }
    QString filter;
    for (const char* item : {"Resist Files(*.gif,*.jpg,*.png,*.bmp)", "*.gif;*.jpg;*.png;*.bmp", "GIF Files(*.gif)",
                             "*.gif", "JPG Files(*.jpg)", "*.jpg", "PNG Files(*.png)", "*.png", "BMP Files(*.bmp)",
                             "*.bmp", "ALL Files(*.*)", "*.*"})
        filter += QString::fromLatin1(item) + QChar(0);
    QString path = FileDialogs::ShowOpenDialog(filter, start);
    path = path.left(path.indexOf(QChar(0)));
    if (path.isEmpty()) return;
    txt_FilePath->setText(path);
    ShowPreview(path);
    if (chk_AutoFileName->isChecked()) {
        try {
            txt_RenamedFileName->setText(MakeAutoFileName(PathParts::GetExtension(path)));
            txt_TagSRC->setText(kParts + txt_RenamedFileName->text());
        } catch (const std::exception&) {
        }
    }
}

void frmHTMLMakeImage::ShowPreview(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        Prompts::MsgBox(QStringLiteral("イメージファイルのパスが不正です。"), Prompts::vbCritical);
        return;
    }
    const QImage picture(path);
    if (picture.isNull()) {
        Prompts::MsgBox(QStringLiteral("イメージの取得に失敗しました"), Prompts::vbOKOnly, kPreviewTitle);
        return;
    }
    const int w = picture.width();
    const int h = picture.height();
    const TagText::PreviewFit fit = TagText::previewFit(w, h);
    QPixmap canvas(TagText::kPreviewSide, TagText::kPreviewSide);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, fit.width, fit.height), picture);
    }
    Pic_Preview->setPixmap(canvas);
    lbl_Preview->setText(QStringLiteral("プレビュー[%1%]").arg(fit.percent));
    lbl_Size->setText(QStringLiteral("Size : %1 x %2").arg(w).arg(h));
    txt_TagWidth->setText(QString::number(w));
    cmb_TagWidth->setCurrentText(QStringLiteral("px"));
    txt_TagHeight->setText(QString::number(h));
    cmb_TagHeight->setCurrentText(QStringLiteral("px"));
}

QString frmHTMLMakeImage::MakeAutoFileName(const QString& extension) {
    return TagText::nextAutoPictureName(Shell::state().databasePath(), Shell::state().EnterDay, extension);
}

void frmHTMLMakeImage::SetRenameFieldState() {
    txt_RenamedFileName->setEnabled(chk_FileRename->isChecked() && !chk_AutoFileName->isChecked());
}

void frmHTMLMakeImage::setSrcByRenaming() {
    txt_TagSRC->setText(kParts + (chk_FileRename->isChecked() ? txt_RenamedFileName->text()
                                                               : PathParts::GetFileName(txt_FilePath->text())));
}

void frmHTMLMakeImage::txt_FilePath_Change() {
    setSrcByRenaming();
    BuildImageTag();
}

void frmHTMLMakeImage::txt_RenamedFileName_Change() {
    txt_TagSRC->setText(kParts + txt_RenamedFileName->text());
    BuildImageTag();
}

void frmHTMLMakeImage::chk_FileRename_Click() {
    if (!chk_FileRename->isChecked()) chk_AutoFileName->setChecked(false);
    SetRenameFieldState();
    setSrcByRenaming();
    BuildImageTag();
}

void frmHTMLMakeImage::chk_AutoFileName_Click() {
    if (chk_AutoFileName->isChecked()) chk_FileRename->setChecked(true);
    if (txt_FilePath->text().isEmpty()) return;
    try {
        txt_RenamedFileName->setText(MakeAutoFileName(PathParts::GetExtension(txt_FilePath->text())));
        txt_TagSRC->setText(kParts + txt_RenamedFileName->text());
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。\r\n") + e.description, Prompts::vbCritical);
    }
    SetRenameFieldState();
    BuildImageTag();
}

void frmHTMLMakeImage::BuildImageTag() {
    TagText::Image i;
    i.src = txt_TagSRC->text();
    i.width = chk_TagWidth->isChecked();
    i.widthText = txt_TagWidth->text();
    i.widthPercent = cmb_TagWidth->currentText() == QLatin1String("%");
    i.height = chk_TagHeight->isChecked();
    i.heightText = txt_TagHeight->text();
    i.heightPercent = cmb_TagHeight->currentText() == QLatin1String("%");
    i.align = chk_TagAlign->isChecked();
    i.alignText = cmb_TagAlign->currentText();
    i.border = chk_TagBorder->isChecked();
    i.borderText = txt_TagBorder->text();
    i.hspace = chk_TagHspace->isChecked();
    i.hspaceText = txt_TagHspace->text();
    i.vspace = chk_TagVspace->isChecked();
    i.vspaceText = txt_TagVspace->text();
    i.alt = chk_TagAlt->isChecked();
    i.altText = txt_TagAlt->text();
    i.other = chk_TagOther->isChecked();
    i.otherText = txt_TagOther->text();
    i.div = chk_AddDiv->isChecked();
    i.divText = txt_AddDiv->text();
    txt_InsertTag->setPlainText(TagText::imageTag(i));
}

void frmHTMLMakeImage::Btn_OK_Click() {
    // A refused name is caught before the tag goes into the body, so that the
    // entry and every file stay as they were and the name can be corrected.
    if (chk_Resist->isChecked() && chk_FileRename->isChecked() && !txt_FilePath->text().isEmpty()) {
        const QString refused =
            FileNames::refusal(txt_RenamedFileName->text(), Shell::state().DataPath + QStringLiteral("RaravParts/"));
        if (!refused.isEmpty()) {
            Prompts::MsgBox(refused, Prompts::vbExclamation);
            txt_RenamedFileName->setFocus();
            return;
        }
    }
    frmContents* editor = frmContents::exists() ? frmContents::instance() : nullptr;
    if (editor) editor->insertBeforeBodySelection(txt_InsertTag->toPlainText());
    if (chk_Resist->isChecked()) {
        bool numbered = false;
        const int number = editor ? editor->ComboNumber->currentText().toInt(&numbered) : 0;
        // Without a picture or an open entry there is nothing to register.
        if (!txt_FilePath->text().isEmpty() && numbered) {
            WaitCursor wait;
            // The tag is already in the body: a failed copy is reported and
            // the dialog still closes, instead of staying open for a second
            // insertion.
            try {
                if (chk_FileRename->isChecked())
                    Publish::ResistFile2(txt_FilePath->text(), txt_RenamedFileName->text(), Shell::state().EnterDay,
                                         number);
                else
                    Publish::ResistFile(txt_FilePath->text(), Shell::state().EnterDay, number);
            } catch (const RuntimeError& e) {
                Prompts::MsgBox(QStringLiteral("画像ファイルの登録に失敗しました。\r\n") + e.description,
                                Prompts::vbCritical);
            }
        }
    }
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::AddDivText, txt_AddDiv->text());
    RaravIni::write(ini, RaravIni::TagOtherText, txt_TagOther->text());
    Unload();
}

void frmHTMLMakeImage::Btn_Cancel_Click() { Unload(); }

void frmHTMLMakeImage::Unload() { close(); }

void frmHTMLMakeImage::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloaded_) return;
    unloaded_ = true;
    if (theDialog() == this) theDialog() = nullptr;
    deleteLater();
}
