#include "design/frm_customize.h"

#include "design/design_preview.h"
#include "design/design_set.h"
#include "design/design_sets.h"
#include "design/frm_html_browser.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/browser_pages.h"
#include "core/combo_boxes.h"
#include "core/path_parts.h"
#include "core/text_file.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

using WindowPlace::kTwipsPerPixel;
const QString kAskSave = QStringLiteral("変更されていますが、保存しますか？");

const char* const kCategories[] = {
    "全般", "Head", "Head(分割用)", "Body", "上下追加テキスト", "上下追加テキスト(分割用)", "上下追加テキスト(Log)",
    "上下追加テキスト(分割用Log)", "Calender", "本文", "ページ間移動リンク", "左側フレーム", "左側フレーム(Head)",
    "左側フレーム(上下追加テキスト)",
};

QString iniFile() { return Shell::state().RaravIniFile; }

}  // namespace

frmCustomize::frmCustomize(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmCustomize"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("カスタマイズ"));
    setMouseTracking(true);
    buildWindow();
    wireChangeTracking();
}

frmCustomize::~frmCustomize() {
    if (htmlBrowser_) delete htmlBrowser_.data();
}

void frmCustomize::Form_Load() {
    loading_ = true;
    changed_ = false;
    committed_ = false;
    Shell::SharedState& s = Shell::state();
    dataPath_ = s.DataPath;
    blocks_.setDataPath(dataPath_);
    CurrentPageName = QStringLiteral("optGeneral");
    move(RaravIni::read(iniFile(), RaravIni::CustomizeWindowPosLeft) / kTwipsPerPixel,
         RaravIni::read(iniFile(), RaravIni::CustomizeWindowPosTop) / kTwipsPerPixel);
    for (QGroupBox* pageFrame : {optGeneral, OptHead, optBody, optCalender, optHeadFoot, optContents, optCalenderFrame,
                                 optPageMoveLink})
        pageFrame->hide();

    // A missing list leaves the colour fields without names to pick.
    QStringList names;
    for (const QString& line : Files::toLf(TextFile::ReadTextFile(colorNameFile())).split(QLatin1Char('\n'))) {
        const QString name = line.section(QLatin1Char(','), 0, 0).trimmed();
        if (!name.isEmpty()) names << name;
    }
    for (const ColorField& c : std::as_const(colorFields)) {
        const QSignalBlocker block(c.field);
        c.field->clear();
        c.field->addItems(names);
        c.field->setCurrentIndex(-1);
    }

    livePreview_ = RaravIni::read(iniFile(), RaravIni::CustomizeRealTime) == 1 && Files::exists(s.CustIniFile);
    if (Files::exists(s.CustIniFile)) Files::copyFile(s.CustIniFile, backupPath());
    setAtOpening_ = s.CustIniFile;
    rememberSet(s.CustIniFile);
    if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(false);

    ListCustomizeSets();
    {
        const QSignalBlocker block(cmbCategory);
        cmbCategory->clear();
        for (const char* caption : kCategories) cmbCategory->addItem(QString::fromUtf8(caption));
        cmbCategory->setCurrentIndex(0);
    }
    cmbCategory_Click();
    LoadCustomizeSettings();

    DesignPreview::prepare(dataPath_);
    if (RaravIni::read(iniFile(), RaravIni::CustomizeRealTime) == 1) {
        frmHTMLBrowser* browser = loadPreviewWindow();
        browser->show();
        browser->Navigate(DesignPreview::pagePath(dataPath_));
    }

    cmbSelectCustomize->setCurrentIndex(cmbSelectCustomize->findText(DesignSets::nameOf(s.CustIniFile)));
    ComboBoxes::SetComboDropHeight(cmbCategory, 14);
    loading_ = false;
    setEnabled(true);
    show();
}

QString frmCustomize::colorNameFile() const { return Shell::state().MyPath + QStringLiteral("colorname.csv"); }
QString frmCustomize::backupPath() const { return DesignSets::backupPath(Shell::state().MyPath); }
QString frmCustomize::categoryCaption() const { return cmbCategory->currentText(); }

// Back to the first category's page. Only renaming the shown page, as the
// set switch once did, left the old page on screen beside the next one chosen.
void frmCustomize::showFirstCategory() {
    if (cmbCategory->currentIndex() != 0) cmbCategory->setCurrentIndex(0);
    else CurrentPageName = QStringLiteral("optGeneral");
}

void frmCustomize::MarkChanged() {
    if (loading_) return;
    changed_ = true;
    Btn_Apply->setEnabled(true);
}

void frmCustomize::ListCustomizeSets() {
    const QSignalBlocker block(cmbSelectCustomize);
    cmbSelectCustomize->clear();
    cmbSelectCustomize->addItems(DesignSets::names(dataPath_));
    cmbSelectCustomize->setCurrentIndex(-1);
}

// ---- Reading and writing the set ----

void frmCustomize::LoadCustomizeSettings() {
    const DesignSet::Values values = DesignSet::read(Shell::state().CustIniFile);
    for (const DesignSet::Setting& s : DesignSet::settings()) {
        const QString value = values.value(s.id());
        switch (s.form) {
        case DesignSet::Form::Flag:
            findChild<QCheckBox*>(s.control)->setChecked(value == QLatin1String("1"));
            break;
        case DesignSet::Form::Colour:
            findChild<QComboBox*>(s.control)->setEditText(value);
            break;
        case DesignSet::Form::Text:
        case DesignSet::Form::Integer:
            findChild<QLineEdit*>(s.control)->setText(value);
            break;
        case DesignSet::Form::Choice: {
            const int option = DesignSet::optionFor(s.choice, value);
            if (option >= 0) findChild<QRadioButton*>(s.choice.options.at(option))->setChecked(true);
            break;
        }
        }
    }
    Btn_Apply->setEnabled(false);
    ListUpDownTexts();
    ListHeadTexts();
    ShowHeadText();
    // The rules also ran on every loaded value that changed; these cover the unchanged ones.
    UpdateBorderControls();
    UpdateTitleListControls();
    UpdatePageMoveControls();
    UpdateHTMLTypeControls();
}

void frmCustomize::Btn_Apply_Click() { storeSet(); }

bool frmCustomize::storeSet() {
    const bool written = applySettings(true);
    blocks_.takeSaved();
    // Without the live preview an Apply commits the set: closing keeps it as
    // now written, also after a later pick of a block, which writes its key
    // at once and clears the commit.
    if (written && !livePreview_) {
        setsBefore_.remove(Shell::state().CustIniFile);
        rememberSet(Shell::state().CustIniFile);
    }
    return written;
}

bool frmCustomize::applySettings(bool withPreview) {
    DesignSet::Values values;
    for (const DesignSet::Setting& s : DesignSet::settings()) {
        switch (s.form) {
        case DesignSet::Form::Flag:
            values[s.id()] = findChild<QCheckBox*>(s.control)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
            break;
        case DesignSet::Form::Colour: values[s.id()] = findChild<QComboBox*>(s.control)->currentText(); break;
        case DesignSet::Form::Text:
        case DesignSet::Form::Integer: values[s.id()] = findChild<QLineEdit*>(s.control)->text(); break;
        case DesignSet::Form::Choice: {
            int chosen = -1;
            for (int i = 0; i < s.choice.options.size(); ++i)
                if (findChild<QRadioButton*>(s.choice.options.at(i))->isChecked()) chosen = i;
            values[s.id()] = DesignSet::wordFor(s.choice, chosen);
            break;
        }
        }
    }
    if (!Prompts::refuseLineBreaks(values.values())) return false;
    const QString file = Shell::state().CustIniFile;
    const bool written = DesignSet::write(file, values);
    if (!written)
        Prompts::MsgBox(QStringLiteral("カスタマイズセットを保存できませんでした。\n") + file, Prompts::vbExclamation);
    // A failed write leaves the window changed, so that Apply can be tried
    // again and Cancel still asks.
    if (!saveTextBlocks() || !written) {
        changed_ = true;
        Btn_Apply->setEnabled(true);
        return false;
    }
    Btn_Apply->setEnabled(false);
    if (!livePreview_) {
        committed_ = true;
        changed_ = false;
    }
    const QString caption = categoryCaption();
    if (withPreview && livePreview_ &&
        (caption == QLatin1String("Head") || caption == QStringLiteral("上下追加テキスト(Log)") ||
         caption == QStringLiteral("上下追加テキスト")))
        showPreview();
    return true;
}

// ---- Preview ----

frmHTMLBrowser* frmCustomize::loadPreviewWindow() {
    if (!htmlBrowser_) {
        htmlBrowser_ = new frmHTMLBrowser;
        // Before the window is first shown it has not yet taken the size that
        // showing gives it; the preview is as high as that.
        if (!isVisible() && !testAttribute(Qt::WA_Resized)) adjustSize();
        htmlBrowser_->Form_Load(QRect(frameGeometry().topLeft(), QSize(frameGeometry().width(), height())));
    }
    return htmlBrowser_;
}

void frmCustomize::showPreview() {
    DesignPreview::write(dataPath_);
    loadPreviewWindow()->Navigate(DesignPreview::pagePath(dataPath_));
}

void frmCustomize::RefreshPreview() {
    if (!livePreview_ || loading_) return;
    // The set file always holds what the window shows while the preview is live.
    applySettings(false);
    showPreview();
}

void frmCustomize::Form_MouseMove() {
    if (RaravIni::read(iniFile(), RaravIni::CustomizeRealTime) != 1) return;
    const QRect frame = frameGeometry();
    loadPreviewWindow()->move(frame.x() + frame.width(), frame.y());
}

void frmCustomize::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void frmCustomize::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The preview follows however the window was moved, once it exists.
    if (htmlBrowser_ && !loading_) Form_MouseMove();
}

// ---- Commit, cancel, close ----

void frmCustomize::Btn_OK_Click() {
    committed_ = true;
    // What could not be written stays in the open window, not lost by closing it.
    if (!storeSet()) {
        committed_ = false;
        return;
    }
    Files::removeFile(backupPath());
    Shell::SharedState& s = Shell::state();
    // The set being edited, which differs from the list's name after a set was
    // overwritten under another name.
    RaravIni::write(iniFile(), RaravIni::CustomizeIniFileName, s.CustIniFile);
    RaravIni::write(iniFile(), RaravIni::CustomizeWindowPosLeft, x() * kTwipsPerPixel);
    RaravIni::write(iniFile(), RaravIni::CustomizeWindowPosTop, y() * kTwipsPerPixel);
    if (Shell::hooks().saveTmpFile) Shell::hooks().saveTmpFile();
    Shell::setStatusText(QStringLiteral("Webページ表示中..."));
    if (Shell::hooks().navigateBrowser)
        Shell::hooks().navigateBrowser(BrowserPages::folder(dataPath_) + QStringLiteral("tmp.htm#") + s.EnterDay);
    close();
}

void frmCustomize::Btn_Cancel_Click() {
    if (changed_ && Prompts::MsgBox(kAskSave, Prompts::vbYesNo) == Prompts::vbYes) {
        Btn_OK_Click();
        return;
    }
    close();
}

void frmCustomize::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void frmCustomize::Form_QueryUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(true);
    Shell::SharedState& s = Shell::state();
    if (Files::exists(backupPath()) && !committed_) {
        if (s.CustIniFile == setAtOpening_)
            Files::copyFile(backupPath(), s.CustIniFile);
        else
            s.CustIniFile = RaravIni::read(iniFile(), RaravIni::CustomizeIniFileName);
        Files::removeFile(backupPath());
    }
    if (!committed_) restoreSets();
    if (htmlBrowser_) htmlBrowser_->close();
}

void frmCustomize::rememberSet(const QString& path) {
    if (setsBefore_.contains(path)) return;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) setsBefore_.insert(path, file.readAll());
}

void frmCustomize::restoreSets() {
    QStringList failed;
    for (auto it = setsBefore_.cbegin(); it != setsBefore_.cend(); ++it) {
        QFile file(it.key());
        if (file.open(QIODevice::ReadOnly) && file.readAll() == it.value()) continue;
        if (!Files::writeAtomic(it.key(), it.value())) failed << it.key();
    }
    setsBefore_.clear();
    if (!failed.isEmpty())
        Prompts::MsgBox(QStringLiteral("カスタマイズセットを元に戻せませんでした。\n") + failed.join(QLatin1Char('\n')),
                        Prompts::vbExclamation);
}

// ---- Switching, creating and deleting sets ----

void frmCustomize::cmbSelectCustomize_Click() {
    if (loading_ || cmbSelectCustomize->currentIndex() < 0) return;
    Shell::SharedState& s = Shell::state();
    if (changed_) {
        if (Prompts::MsgBox(kAskSave, Prompts::vbYesNo) == Prompts::vbYes) {
            // The old set keeps the changes, also when the window closes without OK.
            const bool written = applySettings(true);
            blocks_.takeSaved();
            if (!written) {
                // Switching now would drop what could not be written.
                const QSignalBlocker block(cmbSelectCustomize);
                cmbSelectCustomize->setCurrentIndex(cmbSelectCustomize->findText(DesignSets::nameOf(s.CustIniFile)));
                return;
            }
            setsBefore_.remove(s.CustIniFile);
        } else if (livePreview_ && Files::exists(backupPath())) {
            Files::copyFile(backupPath(), s.CustIniFile);
            Files::removeFile(backupPath());
        }
    }
    // Declined edits of text blocks go with the set they were made in.
    dropBlockEdits();
    loading_ = true;
    changed_ = false;
    committed_ = false;
    showFirstCategory();
    s.CustIniFile = DesignSets::setPath(dataPath_, cmbSelectCustomize->currentText());
    rememberSet(s.CustIniFile);
    if (livePreview_) Files::copyFile(s.CustIniFile, backupPath());
    LoadCustomizeSettings();
    loading_ = false;
    RefreshPreview();
}

void frmCustomize::Btn_New_Click() {
    const QString name = Prompts::InputBox(
        QStringLiteral("新しいカスタマイズセットの名前を入力してください。\n(ファイル名に使用できない文字は使用しないでください。)"),
        Prompts::kDefaultTitle, QStringLiteral("カスタマイズセット"));
    auto report = [](const QString& text, bool messageFirst) {
        if (messageFirst) Prompts::MsgBox(text, Prompts::vbInformation);
        Shell::setStatusText(text);
        if (!messageFirst) Prompts::MsgBox(text, Prompts::vbInformation);
    };
    if (name.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("名前の入力がなかったため中止します。"), Prompts::vbInformation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
        return;
    }
    if (const QString refusal = DesignSets::nameRefusal(dataPath_, name); !refusal.isEmpty()) {
        Prompts::MsgBox(refusal, Prompts::vbExclamation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
        return;
    }
    Shell::SharedState& s = Shell::state();
    const QString path = DesignSets::setPath(dataPath_, name);
    const QString former = s.CustIniFile;
    // With the live preview the former set already holds the window's
    // settings; they now go to the named set, so the former one gets its
    // backup back.
    auto giveBackFormer = [&] {
        if (livePreview_ && Files::exists(backupPath())) Files::copyFile(backupPath(), former);
    };
    // A set that could not be written is not announced and stays unnamed.
    auto failed = [&](bool created) {
        if (created) Files::removeFile(path);
        s.CustIniFile = former;
        Shell::setStatusText(QStringLiteral("中止しました。"));
    };
    if (!Files::exists(path)) {
        giveBackFormer();
        s.CustIniFile = path;
        if (!applySettings(true)) return failed(true);
        blocks_.takeSaved();
        changed_ = false;
        ListCustomizeSets();
        cmbSelectCustomize->setCurrentIndex(cmbSelectCustomize->findText(name));
        report(QStringLiteral("新しいカスタマイズセットを作成しました。"), true);
        return;
    }
    if (Prompts::MsgBox(QStringLiteral("すでにその名前のカスタマイズセットはあります。\n上書きしますか？"), Prompts::vbYesNo) ==
        Prompts::vbYes) {
        giveBackFormer();
        rememberSet(path);
        s.CustIniFile = path;
        if (!applySettings(true)) return failed(false);
        blocks_.takeSaved();
        if (!livePreview_) setsBefore_.remove(path);
        // A No later on puts the backup back over the set now edited: it is
        // to be this set as just written, not the one the window opened on.
        else Files::copyFile(path, backupPath());
        report(QStringLiteral("既存のカスタマイズセットに上書きしました。"), false);
    } else {
        Prompts::MsgBox(QStringLiteral("中止します。"), Prompts::vbInformation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
    }
}

void frmCustomize::Btn_Delete_Click() {
    const QString name = cmbSelectCustomize->currentText();
    if (Prompts::MsgBox(QStringLiteral("カスタマイズセット「") + name + QStringLiteral("」を消去します。\nよろしいですか？"),
                        Prompts::vbYesNo) != Prompts::vbYes) {
        Shell::setStatusText(QStringLiteral("消去を中止しました。"));
        return;
    }
    Shell::SharedState& s = Shell::state();
    loading_ = true;
    committed_ = false;
    // Edits of text blocks not applied go with the set: none is written into
    // the set shown next.
    dropBlockEdits();
    showFirstCategory();
    const QString path = DesignSets::setFileIn(PathParts::GetFolderPath(s.CustIniFile) + QLatin1Char('/'), name);
    if (Files::exists(path)) Files::removeFile(path);
    setsBefore_.remove(path);  // a deletion is final: closing does not bring the set back
    Shell::setStatusText(QStringLiteral("カスタマイズセット「") + name + QStringLiteral("」を消去しました。"));
    ListCustomizeSets();
    cmbSelectCustomize->setCurrentIndex(0);
    // With no set left the window goes on with the default name, which the next Apply creates.
    const QString next = cmbSelectCustomize->count() ? cmbSelectCustomize->currentText() : QStringLiteral("Customize");
    s.CustIniFile = DesignSets::setPath(dataPath_, next);
    rememberSet(s.CustIniFile);
    // rarav.ini is to name a set that exists, and the list shows it.
    if (!Files::exists(s.CustIniFile) && applySettings(false)) {
        ListCustomizeSets();
        const QSignalBlocker block(cmbSelectCustomize);
        cmbSelectCustomize->setCurrentIndex(cmbSelectCustomize->findText(next));
    }
    if (Files::exists(s.CustIniFile)) Files::copyFile(s.CustIniFile, backupPath());
    RaravIni::write(iniFile(), RaravIni::CustomizeIniFileName, s.CustIniFile);
    LoadCustomizeSettings();
    RefreshPreview();
    changed_ = false;
    loading_ = false;
}

namespace DesignWindows {

namespace {
QPointer<frmCustomize>& openWindow() {
    static QPointer<frmCustomize> w;
    return w;
}
}  // namespace

frmCustomize* customizeWindow() { return openWindow(); }

void MnuCustomize_Click() {
    if (frmCustomize* w = openWindow()) {
        w->raise();
        w->activateWindow();
        return;
    }
    openWindow() = new frmCustomize;
    openWindow()->Form_Load();
}

}  // namespace DesignWindows
