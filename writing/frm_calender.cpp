#include "writing/frm_calender.h"

#include "platform/dates.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "writing/entry_store.h"
#include "writing/frm_contents.h"
#include "writing/frm_find.h"
#include "writing/wait_cursor.h"
#include "writing/writing_icons.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {

const QString kErrorText = QStringLiteral("エラーが発生しました。速やかに作者に問い合わせて下さい。");

QToolButton* pictureButton(QWidget* parent, const char* name, const char* icon, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QStringLiteral(":/writing/%1.svg").arg(QLatin1String(icon))));
    b->setIconSize(QSize(20, 20));
    b->setToolTip(tip);
    return b;
}

// The number a new entry of the day is shown under: past every stored one.
int newNumber(const QList<Entry>& entries) {
    const int highest = entries.isEmpty() ? 0 : std::max(int(entries.size()), entries.first().number);
    return highest < INT_MAX ? highest + 1 : highest;
}

// The number list: 1 to the day's count, and every stored number above it,
// so that every entry is reached under its own number even when the day's
// numbers have gaps; a number far above the rest lists none in between.
void listNumbers(frmContents* ed, const QList<Entry>& entries, int added = 0) {
    ed->AddComboNumber(int(entries.size()));
    QList<int> above;
    for (const Entry& e : entries)
        if (e.number > entries.size()) above << e.number;
    if (added > entries.size()) above << added;
    std::sort(above.begin(), above.end());
    above.erase(std::unique(above.begin(), above.end()), above.end());
    for (const int n : above) ed->ComboNumber->addItem(QString::number(n));
}

}  // namespace

frmCalender::frmCalender(QWidget* parent) : QWidget(parent) {
    initWritingIcons();
    setObjectName(QStringLiteral("frmCalender"));
    setWindowTitle(QStringLiteral("Calender"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    Calender = new QCalendarWidget(this);
    Calender->setObjectName(QStringLiteral("Calender"));
    Calender->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    layout->addWidget(Calender);

    auto* buttons = new QHBoxLayout;
    Btn_New = pictureButton(this, "Btn_New", "new_entry", QStringLiteral("現在選択している日付の新しい日記を作成します。"));
    Btn_Delete = pictureButton(this, "Btn_Delete", "delete_entry", QStringLiteral("現在選択している日記を消去します。"));
    Btn_Find = pictureButton(this, "Btn_Find", "find", QStringLiteral("キーワードを指定して検索を行います。"));
    buttons->addWidget(Btn_New);
    buttons->addWidget(Btn_Delete);
    buttons->addWidget(Btn_Find);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    Label1 = new QLabel(QStringLiteral("Blog Controler"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    auto* blogRow = new QHBoxLayout;
    cmbBlog = new QComboBox(this);
    cmbBlog->setObjectName(QStringLiteral("cmbBlog"));
    cmbBlog->setEditable(true);
    cmbBlog->setInsertPolicy(QComboBox::NoInsert);
    cmbBlog->setToolTip(QStringLiteral("操作したいブログを選択してください。"));
    cmbBlogAction = new QComboBox(this);
    cmbBlogAction->setObjectName(QStringLiteral("cmbBlogAction"));
    Btn_BlogControl = pictureButton(this, "Btn_BlogControl", "blog_post",
                                    QStringLiteral("選択した日記を下記コンボボックスで選択したBlogへ投稿します"));
    blogRow->addWidget(cmbBlog, 1);
    blogRow->addWidget(cmbBlogAction);
    blogRow->addWidget(Btn_BlogControl);
    layout->addLayout(blogRow);

    // Only a click loads a day: keyboard moves and month scrolling do not.
    connect(Calender, &QCalendarWidget::clicked, this, [this](QDate d) { Calender_DateClick(d); });
    connect(Btn_New, &QToolButton::clicked, this, [this] { Btn_New_Click(); });
    connect(Btn_Delete, &QToolButton::clicked, this, [this] { Btn_Delete_Click(); });
    connect(Btn_Find, &QToolButton::clicked, this, [this] { Btn_Find_Click(); });
    connect(Btn_BlogControl, &QToolButton::clicked, this, [this] { Btn_BlogControl_Click(); });
    connect(cmbBlogAction, &QComboBox::activated, this, [this] { cmbBlogAction_Click(); });
    Form_Load();
}

frmContents* frmCalender::editor() const { return frmContents::instance(); }

void frmCalender::Form_Load() {
    LoadBlogTemplateList();
    LoadBlogActionList();
    cmbBlog->setEditText(RaravIni::read(Shell::state().RaravIniFile, RaravIni::CalenderBlog));
    cmbBlogAction->setCurrentIndex(0);
    cmbBlogAction_Click();
}

void frmCalender::Form_Unload() {
    if (!Shell::state().RaravIniFile.isEmpty())
        RaravIni::write(Shell::state().RaravIniFile, RaravIni::CalenderBlog, cmbBlog->currentText());
}

void frmCalender::LoadBlogTemplateList() {
    cmbBlog->clear();
    const QString folder = Shell::state().DataPath + QStringLiteral("BlogTemplate/");
    if (Shell::state().DataPath.isEmpty() || !Files::isFolder(folder)) return;
    for (const QString& name : Files::listFiles(folder, QStringLiteral("*.ini"))) cmbBlog->addItem(name.chopped(4));
}

void frmCalender::LoadBlogActionList() {
    cmbBlogAction->addItems({QStringLiteral("投稿"), QStringLiteral("閲覧"), QStringLiteral("管理")});
}

void frmCalender::cmbBlogAction_Click() {
    static const char* const kTips[] = {"に投稿します", "を閲覧します", "の管理画面を開きます"};
    static const char* const kIcons[] = {"blog_post", "blog_view", "blog_manage"};
    const int index = cmbBlogAction->currentIndex();
    if (index < 0 || index > 2) return;
    Btn_BlogControl->setToolTip(cmbBlog->currentText() + QString::fromUtf8(kTips[index]));
    Btn_BlogControl->setIcon(QIcon(QStringLiteral(":/writing/%1.svg").arg(QLatin1String(kIcons[index]))));
}

void frmCalender::Btn_BlogControl_Click() {
    switch (cmbBlogAction->currentIndex()) {
    case 0: PostBlog(cmbBlog->currentText()); break;
    case 1: ViewBlog(); break;
    case 2: BlogManagement(); break;
    default: break;
    }
}

// The blog commands drive the built-in browser, whose library the main
// window links together with this one; it installs them as hooks.
void frmCalender::PostBlog(const QString& BLOGTYPE) {
    if (const auto& post = Shell::hooks().postBlog) post(BLOGTYPE);
}

void frmCalender::ViewBlog() {
    if (const auto& view = Shell::hooks().viewBlog) view(cmbBlog->currentText());
}

void frmCalender::BlogManagement() {
    if (const auto& manage = Shell::hooks().blogManagement) manage(cmbBlog->currentText());
}

void frmCalender::Btn_Find_Click() { frmFind::showWindow(); }

bool frmCalender::Calender_DateClick(const QDate& DateClicked) {
    frmContents* ed = editor();
    // A Yes whose save did not succeed keeps the editor on its entry.
    if (!ed->askSaveBeforeLeaving()) return false;
    WaitCursor wait;
    const QString day = Dates::dayText(DateClicked);
    QList<Entry> entries;
    try {
        entries = EntryStore(Shell::state().databasePath()).entriesOf(day);
    } catch (const RuntimeError&) {
        Prompts::MsgBox(kErrorText, Prompts::vbInformation);
        return false;
    }
    Shell::state().EnterDay = day;
    // The delete command names the calendar's date; it must be the day shown.
    Calender->setSelectedDate(DateClicked);
    ed->showWindow();
    ed->Loading = true;
    if (!entries.isEmpty()) {
        const Entry& e = entries.first();
        listNumbers(ed, entries);
        ed->setFields(e.title, e.contents, e.extend, e.excerpt, e.weather, e.genre, e.isPrivate);
        const int at = e.number >= 1 ? ed->ComboNumber->findText(QString::number(e.number)) : -1;
        ed->ComboNumber->setCurrentIndex(at >= 0 ? at : ed->ComboNumber->count() - 1);
        ed->shownEntry = e;
    } else {
        ed->AddComboNumber(1);
        ed->clearFields();
        ed->ComboNumber->setCurrentIndex(0);
        ed->shownEntry.reset();
    }
    ed->ComboNumberTag = ed->ComboNumber->currentText();
    ed->Contents_Enable();
    ed->ChangeYesNo = false;
    ed->Loading = false;
    ed->txtTitle->setFocus();
    ed->InitUndoRedo();
    return true;
}

bool frmCalender::Btn_New_Click() {
    const QString day = Shell::state().EnterDay;
    if (day.isEmpty()) {
        Shell::setStatusText(QStringLiteral("日付が選択されていないため日記の作成を中止しました。"));
        return false;
    }
    frmContents* ed = editor();
    if (!ed->askSaveBeforeLeaving()) return false;
    QList<Entry> entries;
    {
        WaitCursor wait;
        try {
            entries = EntryStore(Shell::state().databasePath()).entriesOf(day);
        } catch (const RuntimeError&) {
            Prompts::MsgBox(kErrorText, Prompts::vbInformation);
            return false;
        }
    }
    if (entries.isEmpty()) {
        const std::optional<QDate> d = Dates::parseDay(day);
        return d && Calender_DateClick(*d);
    }
    WaitCursor wait;
    ed->showWindow();
    ed->Loading = true;
    const int n = newNumber(entries);
    listNumbers(ed, entries, n);
    ed->clearFields();
    ed->ComboNumber->setCurrentText(QString::number(n));
    ed->ComboNumberTag = ed->ComboNumber->currentText();
    ed->shownEntry.reset();
    ed->Contents_Enable();
    ed->ChangeYesNo = false;
    ed->txtTitle->setFocus();
    ed->Loading = false;
    ed->InitUndoRedo();
    return true;
}

void frmCalender::Btn_Delete_Click() {
    frmContents* ed = editor();
    if (ed->windowTitle() == QStringLiteral("日記作成")) {
        Prompts::MsgBox(QStringLiteral("削除する日記が選択されていないので、削除を中止します。"), Prompts::vbInformation);
        return;
    }
    // The entry shown in the editor is the one deleted: its day and number,
    // and the stored row it was read from.
    const QString day = Shell::state().EnterDay;
    const QString number = ed->ComboNumber->currentText();
    const std::optional<Entry> shown = ed->shownEntry;
    if (Prompts::MsgBox(day + QStringLiteral("の") + number + QStringLiteral("番目の日記を削除します。"),
                        Prompts::vbYesNo) != Prompts::vbYes) {
        Shell::setStatusText(QStringLiteral("日記の削除を中止しました。"));
        return;
    }
    WaitCursor wait;
    try {
        EntryStore(Shell::state().databasePath()).remove(day, shown);
    } catch (const RuntimeError&) {
        Prompts::MsgBox(kErrorText, Prompts::vbInformation);
        return;
    }
    ed->Contents_Initialize();
    // The entry is gone: its edits can no longer be saved.
    ed->ChangeYesNo = false;
    ed->InitUndoRedo();
    const auto& h = Shell::hooks();
    if (h.saveTmpFile) h.saveTmpFile();
    Shell::setStatusText(QStringLiteral("Webページ表示中..."));
    if (h.navigateBrowser) h.navigateBrowser(BrowserPages::page(QStringLiteral("tmp.htm#")) + day);
    Shell::setStatusText(day + QStringLiteral("の日記を削除しました。"));
}
