#include "writing/frm_contents.h"
#include "core/combo_boxes.h"

#include "platform/clock.h"
#include "platform/field_text.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "platform/web_browser.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "site/in_program_pages.h"
#include "writing/entry_store.h"
#include "writing/frm_html_make_image.h"
#include "writing/frm_prev_rarav_viewer.h"
#include "writing/genre_list.h"
#include "writing/html_tags.h"
#include "writing/wait_cursor.h"
#include "writing/writing_icons.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPointer<frmContents>& theEditor() {
    static QPointer<frmContents> editor;
    return editor;
}

const QString kNoEntryCaption = QStringLiteral("日記作成");
const QString kErrorText = QStringLiteral("エラーが発生しました。速やかに作者に問い合わせて下さい。");
const QString kSwitchQuestion = QStringLiteral("更新されていますが、保存されていません。\r\n保存しますか？");

// The design's "ＭＳ Ｐゴシック" does not exist on Linux; it stands for
// whichever Japanese proportional gothic is installed.
void substituteDesignFont() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic"),
                                QStringLiteral("IPAexGothic"), QStringLiteral("Sans Serif")});
}

// Loading set for the length of a scope, whatever leaves it.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~LoadingScope() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

EntryStore store() { return EntryStore(Shell::state().databasePath()); }
// Without a data folder there is no list to read or write (never a file in
// the working folder).
QString genrePath() {
    if (Shell::state().DataPath.isEmpty())
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("no data folder"));
    return GenreList::fileIn(Shell::state().DataPath);
}

}  // namespace

frmContents* frmContents::instance() {
    if (!theEditor()) theEditor() = new frmContents();
    return theEditor();
}

bool frmContents::exists() { return !theEditor().isNull(); }

void frmContents::showWindow() {
    if (Shell::hooks().showChild) Shell::hooks().showChild(this);
}

frmContents::frmContents(QWidget* parent) : QWidget(parent) {
    initWritingIcons();
    substituteDesignFont();
    setObjectName(QStringLiteral("frmContents"));
    if (!theEditor()) theEditor() = this;
    buildControls();
    Form_Load();
}

frmContents::~frmContents() = default;

void frmContents::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    auto* top = new QHBoxLayout;
    cToolbar = new QToolBar(this);
    cToolbar->setObjectName(QStringLiteral("cToolbar"));
    cToolbar->setIconSize(QSize(16, 16));
    struct Button {
        const char* key;
        const char* icon;
        const char* tip;
    };
    const Button kButtons[] = {
        {"SaveToMDBOnly", "save", "日記を保存します。"},
        {"SaveToMDB", "save_preview", "日記を保存してローカルブラウザを更新します。"},
        {nullptr, nullptr, nullptr},
        {"InsertURL", "insert_url", "BrowserのURLを挿入します。"},
        {"InsertImg", "insert_image", "イメージを挿入します。"},
        {"InsertTag", "insert_tag", "右で選んだHTMLタグを挿入できます。"},
    };
    for (int i = 0; i < 6; ++i) {
        if (!kButtons[i].key) {
            buttons_[i] = cToolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(kButtons[i].key);
        QAction* a = cToolbar->addAction(QIcon(QStringLiteral(":/writing/%1.svg").arg(QLatin1String(kButtons[i].icon))),
                                         key);
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf8(kButtons[i].tip));
        connect(a, &QAction::triggered, this, [this, key] { cToolbar_ButtonClick(key); });
        buttons_[i] = a;
    }
    // All the buttons stay in sight: the box beside them narrows first.
    cToolbar->setMinimumWidth(cToolbar->sizeHint().width());
    top->addWidget(cToolbar);
    ComboTag = new QComboBox(this);
    ComboTag->setObjectName(QStringLiteral("ComboTag"));
    ComboTag->setToolTip(QStringLiteral("HTMLタグを選んでください。"));
    ComboTag->setMinimumWidth(60);
    top->addWidget(ComboTag);
    top->addStretch(1);
    picPrevRaravExist = new QToolButton(this);
    picPrevRaravExist->setObjectName(QStringLiteral("picPrevRaravExist"));
    picPrevRaravExist->setIcon(QIcon(QStringLiteral(":/writing/other_years.svg")));
    picPrevRaravExist->setToolTip(QStringLiteral("過去の同じ日付の日記を開きます。"));
    picPrevRaravExist->setAutoRaise(true);
    connect(picPrevRaravExist, &QToolButton::clicked, this, [this] { picPrevRaravExist_Click(); });
    picPrevRaravExistNone = new QToolButton(this);
    picPrevRaravExistNone->setObjectName(QStringLiteral("picPrevRaravExistNone"));
    picPrevRaravExistNone->setIcon(QIcon(QStringLiteral(":/writing/other_years_none.svg")));
    picPrevRaravExistNone->setAutoRaise(true);
    top->addWidget(picPrevRaravExist);
    top->addWidget(picPrevRaravExistNone);
    layout->addLayout(top);

    const QFont designFont(QStringLiteral("ＭＳ Ｐゴシック"), 12);
    auto* titleRow = new QHBoxLayout;
    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setFont(designFont);
    txtTitle->setToolTip(QStringLiteral("タイトルを入力してください。"));
    ComboNumber = new QComboBox(this);
    ComboNumber->setObjectName(QStringLiteral("ComboNumber"));
    ComboNumber->setFont(designFont);
    ComboNumber->setToolTip(QStringLiteral("同じ日の日記の番号"));
    ComboNumber->setFixedWidth(WindowPlace::toPixels(720));
    titleRow->addWidget(txtTitle, 1);
    titleRow->addWidget(ComboNumber);
    layout->addLayout(titleRow);

    auto* boxRow = new QHBoxLayout;
    ComboGenre = new QComboBox(this);
    ComboGenre->setObjectName(QStringLiteral("ComboGenre"));
    ComboGenre->setEditable(true);
    ComboGenre->setInsertPolicy(QComboBox::NoInsert);
    ComboGenre->setToolTip(QStringLiteral("ジャンルを入力して下さい。"));
    ComboWeather = new QComboBox(this);
    ComboWeather->setObjectName(QStringLiteral("ComboWeather"));
    ComboWeather->setToolTip(QStringLiteral("天気を選択して下さい。"));
    ComboWeather->setFixedWidth(WindowPlace::toPixels(640));
    ComboPrivate = new QComboBox(this);
    ComboPrivate->setObjectName(QStringLiteral("ComboPrivate"));
    ComboPrivate->setToolTip(QStringLiteral("公開・非公開の設定"));
    ComboPrivate->setFixedWidth(WindowPlace::toPixels(840));
    boxRow->addWidget(ComboGenre, 1);
    boxRow->addWidget(ComboWeather);
    boxRow->addWidget(ComboPrivate);
    layout->addLayout(boxRow);

    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("内容 Content"));
    TabStrip1->addTab(QStringLiteral("追記 Extend"));
    TabStrip1->addTab(QStringLiteral("概要 Excerpt"));
    TabStrip1->setExpanding(false);
    // Its least width holds every tab whole, so the layouts make room for it.
    TabStrip1->setUsesScrollButtons(false);
    layout->addWidget(TabStrip1);
    fieldStack_ = new QStackedWidget(this);
    const char* const kFieldNames[] = {"txtContents", "txtExtend", "txtExcerpt"};
    for (int i = 0; i < 3; ++i) {
        auto* f = new QPlainTextEdit(fieldStack_);
        f->setObjectName(QString::fromLatin1(kFieldNames[i]));
        // The editor keeps its own history per field.
        f->setUndoRedoEnabled(false);
        f->setContextMenuPolicy(Qt::CustomContextMenu);
        f->installEventFilter(this);
        connect(f, &QPlainTextEdit::textChanged, this, [this, i] { field_Change(i); });
        connect(f, &QWidget::customContextMenuRequested, this, [f](const QPoint& pos) {
            if (Shell::hooks().showContentsPopup) Shell::hooks().showContentsPopup(f->mapToGlobal(pos));
        });
        fieldStack_->addWidget(f);
        fields_[i] = f;
    }
    txtContents = fields_[0];
    txtExtend = fields_[1];
    txtExcerpt = fields_[2];
    layout->addWidget(fieldStack_, 1);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(txtTitle, &QLineEdit::textChanged, this, [this] { txtTitle_Change(); });
    connect(ComboNumber, &QComboBox::activated, this, [this] { ComboNumber_Click(); });
    connect(ComboGenre, &QComboBox::currentTextChanged, this, [this] { markChanged(); });
    connect(ComboWeather, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
    connect(ComboPrivate, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });

    // Key preview: the window sees every key of its controls first.
    for (QWidget* w : {static_cast<QWidget*>(txtTitle), static_cast<QWidget*>(ComboNumber),
                       static_cast<QWidget*>(ComboGenre), static_cast<QWidget*>(ComboGenre->lineEdit()),
                       static_cast<QWidget*>(ComboWeather), static_cast<QWidget*>(ComboPrivate),
                       static_cast<QWidget*>(ComboTag), static_cast<QWidget*>(TabStrip1)})
        w->installEventFilter(this);
}

void frmContents::Form_Load() {
    ComboBoxes::SetComboDropHeight(ComboTag, 15);
    ComboGenre->setMaxVisibleItems(20);
    const int fontSize = RaravIni::read(Shell::state().RaravIniFile, RaravIni::ContentsFontSize);
    if (fontSize > 0) {
        QFont f = txtContents->font();
        f.setPointSize(fontSize);
        txtContents->setFont(f);
    }
    fieldStack_->setCurrentIndex(0);
    txtContents->setEnabled(true);
    txtExtend->setEnabled(false);
    txtExcerpt->setEnabled(false);

    Loading = true;
    ComboWeather->addItems({QStringLiteral("-"), QStringLiteral("晴"), QStringLiteral("曇"), QStringLiteral("雨"),
                            QStringLiteral("雪"), QStringLiteral("雷")});
    ComboPrivate->addItems({QStringLiteral("公開"), QStringLiteral("非公開")});
    ComboTag->addItems(HtmlTags::itemNames());
    ComboTag->setCurrentIndex(0);
    try {
        LoadGenreList();
    } catch (const RuntimeError&) {
        // Without a list the genre is still typed by hand.
    }
    Contents_Initialize();
    setMarker(!Shell::state().EnterDay.isEmpty() && OldRaravChecker(Shell::state().EnterDay));
    InitUndoRedo();
    Loading = false;
    ChangeYesNo = false;
}

QAction* frmContents::toolbarButton(int index) const {
    return index >= 1 && index <= 6 ? buttons_[index - 1] : nullptr;
}

void frmContents::setSaveButtons(bool enabled) {
    buttons_[0]->setEnabled(enabled);
    buttons_[1]->setEnabled(enabled);
}

void frmContents::setInsertButtons(bool enabled) {
    for (int i = 3; i < 6; ++i) buttons_[i]->setEnabled(enabled);
    ComboTag->setEnabled(enabled);
}

void frmContents::setMarker(bool otherYears) {
    picPrevRaravExist->setVisible(otherYears);
    picPrevRaravExistNone->setVisible(!otherYears);
}

void frmContents::setCaption() {
    setWindowTitle(Shell::state().EnterDay + QStringLiteral("分の日記[") + ComboNumber->currentText() +
                   QStringLiteral("/") + ComboNumber->itemText(ComboNumber->count() - 1) + QStringLiteral("]"));
}

void frmContents::Contents_Initialize() {
    LoadingScope loading(Loading);
    setWindowTitle(kNoEntryCaption);
    txtContents->clear();
    txtTitle->clear();
    ComboWeather->setCurrentIndex(0);
    if (ComboGenre->count() > 0) ComboGenre->setCurrentIndex(0);
    ComboNumber->clear();
    ComboNumberTag.clear();
    shownEntry.reset();
    ComboPrivate->setCurrentIndex(0);
    for (QWidget* w : {static_cast<QWidget*>(txtContents), static_cast<QWidget*>(txtExtend),
                       static_cast<QWidget*>(txtExcerpt), static_cast<QWidget*>(txtTitle),
                       static_cast<QWidget*>(ComboGenre), static_cast<QWidget*>(ComboWeather),
                       static_cast<QWidget*>(ComboNumber), static_cast<QWidget*>(ComboPrivate)})
        w->setEnabled(false);
    TabStrip1->setCurrentIndex(0);
    setMarker(false);
    setSaveButtons(false);
    setInsertButtons(false);
}

void frmContents::Contents_Enable() {
    LoadingScope loading(Loading);
    setCaption();
    for (QWidget* w : {static_cast<QWidget*>(txtContents), static_cast<QWidget*>(txtExtend),
                       static_cast<QWidget*>(txtExcerpt), static_cast<QWidget*>(txtTitle),
                       static_cast<QWidget*>(ComboGenre), static_cast<QWidget*>(ComboWeather),
                       static_cast<QWidget*>(ComboNumber), static_cast<QWidget*>(ComboPrivate)})
        w->setEnabled(true);
    setMarker(OldRaravChecker(Shell::state().EnterDay));
    setSaveButtons(false);
    setInsertButtons(false);
}

bool frmContents::OldRaravChecker(const QString& FindDay) {
    try {
        return store().hasOtherYears(FindDay);
    } catch (const RuntimeError&) {
        // Only the marker depends on it; the entry stays usable.
        return false;
    }
}

void frmContents::AddComboNumber(int Num) {
    ComboNumber->clear();
    for (int i = 1; i <= Num; ++i) ComboNumber->addItem(QString::number(i));
}

void frmContents::clearFields() {
    const QString firstGenre = ComboGenre->count() > 0 ? ComboGenre->itemText(0) : QString();
    setFields(QString(), QString(), QString(), QString(), QString(), firstGenre, false);
}

void frmContents::setFields(const QString& title, const QString& contents, const QString& extend,
                            const QString& excerpt, const QString& weather, const QString& genre, bool isPrivate) {
    LoadingScope loading(Loading);
    txtContents->setPlainText(Files::toLf(contents));
    txtExtend->setPlainText(Files::toLf(extend));
    txtExcerpt->setPlainText(Files::toLf(excerpt));
    txtTitle->setText(title);
    int w = weather.isEmpty() ? 0 : ComboWeather->findText(weather);
    if (w < 0) {
        // A word written by another program: kept, so that a save stores it again.
        ComboWeather->addItem(weather);
        w = ComboWeather->count() - 1;
    }
    ComboWeather->setCurrentIndex(w);
    // A stored empty genre stays empty: the pages show no genre name for it.
    const int g = ComboGenre->findText(genre, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (g >= 0)
        ComboGenre->setCurrentIndex(g);
    else
        ComboGenre->setCurrentText(genre);
    ComboPrivate->setCurrentIndex(isPrivate ? 1 : 0);
}

bool frmContents::askSaveBeforeLeaving(int number) {
    if (!ChangeYesNo) return true;
    if (Prompts::MsgBox(kSwitchQuestion, Prompts::vbYesNo) == Prompts::vbYes)
        return number >= 1 ? saveEntry(number) : Btn1Click_ToolBar();
    ChangeYesNo = false;
    return true;
}

void frmContents::ComboNumber_Click() {
    if (Loading) return;
    WaitCursor wait;
    if (!askSaveBeforeLeaving(ComboNumberTag.toInt())) {
        // The edits belong to the number in the tag; stay there.
        LoadingScope loading(Loading);
        ComboNumber->setCurrentText(ComboNumberTag);
        return;
    }
    const int number = ComboNumber->currentText().toInt();
    std::optional<Entry> entry;
    try {
        entry = store().load(Shell::state().EnterDay, number);
    } catch (const RuntimeError&) {
        Prompts::MsgBox(kErrorText, Prompts::vbInformation);
        LoadingScope loading(Loading);
        ComboNumber->setCurrentText(ComboNumberTag);
        return;
    }
    txtTitle->setEnabled(true);
    txtContents->setEnabled(true);
    setCaption();
    // A number without a row is a new entry: it starts blank rather than
    // under another entry's text.
    if (entry)
        setFields(entry->title, entry->contents, entry->extend, entry->excerpt, entry->weather, entry->genre,
                  entry->isPrivate);
    else
        clearFields();
    ComboTag->setEnabled(false);
    ChangeYesNo = false;
    txtTitle->setFocus();
    setSaveButtons(false);
    ComboNumberTag = ComboNumber->currentText();
    shownEntry = entry;
    InitUndoRedo();
}

bool frmContents::Btn1Click_ToolBar() { return saveEntry(ComboNumber->currentText().toInt()); }

bool frmContents::saveEntry(int number) {
    if (txtTitle->text().isEmpty()) {
        Prompts::MsgBox(QStringLiteral("タイトルを入力してください！"), Prompts::vbCritical, kNoEntryCaption);
        return false;
    }
    // The genre is a line of the genre list, which the search chooses from.
    if (!Prompts::refuseLineBreaks({ComboGenre->currentText()})) return false;
    const auto& s = Shell::state();
    Entry e;
    e.day = s.EnterDay;
    e.number = number;
    e.title = txtTitle->text();
    e.contents = Files::toCrLf(FieldText::of(txtContents));
    e.extend = Files::toCrLf(FieldText::of(txtExtend));
    e.excerpt = Files::toCrLf(FieldText::of(txtExcerpt));
    if (shownEntry) {
        // A field left as it was loaded hands back the text as it was read, so
        // that the store can tell it unedited (it then keeps bytes another
        // program stored that were shown as replacement characters).
        for (auto field : {&Entry::contents, &Entry::extend, &Entry::excerpt})
            if (e.*field == Files::toCrLf(Files::toLf((*shownEntry).*field))) e.*field = (*shownEntry).*field;
    }
    e.weather = ComboWeather->currentText();
    e.genre = ComboGenre->currentText();
    e.isPrivate = ComboPrivate->currentIndex() == 1;
    Entry stored;
    try {
        if (e.day.isEmpty() || number < 1)
            throw RuntimeError(ErrorNumber::InvalidArgument, QStringLiteral("no entry is open"));
        WaitCursor wait;
        stored = store().save(e, Clock::now(), shownEntry);
    } catch (const RuntimeError& failure) {
        // The reason lets the user act (a full disk, a locked or read-only file).
        Prompts::MsgBox(kErrorText + QStringLiteral("\r\n") + failure.description, Prompts::vbInformation);
        return false;
    }
    shownEntry = stored;
    showStoredNumber(stored.number);
    Shell::setStatusText(s.EnterDay + QStringLiteral("の日記を保存しました。"));
    ChangeYesNo = false;
    try {
        if (AddGenreToCsv()) {
            LoadingScope loading(Loading);
            LoadGenreList();
            ComboGenre->setCurrentText(e.genre);
        }
    } catch (const RuntimeError& failure) {
        // The entry is stored; only the genre list missed it.
        Prompts::MsgBox(kErrorText + QStringLiteral("\r\n") + failure.description, Prompts::vbInformation);
    }
    setSaveButtons(false);
    return true;
}

void frmContents::showStoredNumber(int number) {
    const QString text = QString::number(number);
    if (number < 1 || text == ComboNumberTag) return;
    // Another program took the number the entry was shown under, or moved the
    // entry to another: the list names the one it has now.
    LoadingScope loading(Loading);
    const bool shown = ComboNumber->currentText() == ComboNumberTag;
    if (ComboNumber->findText(text) < 0) {
        int at = 0;
        while (at < ComboNumber->count() && ComboNumber->itemText(at).toInt() < number) ++at;
        ComboNumber->insertItem(at, text);
    }
    ComboNumberTag = text;
    if (shown) {
        ComboNumber->setCurrentText(text);
        setCaption();
    }
}

void frmContents::LoadGenreList() {
    ComboGenre->clear();
    if (Shell::state().DataPath.isEmpty()) return;
    if (Files::exists(genrePath())) {
        ComboGenre->addItems(GenreList::read(genrePath()));
        return;
    }
    MakeGenretxt();
}

void frmContents::RebuildGenreList() {
    if (exists()) {
        instance()->MakeGenretxt();
        return;
    }
    const auto& s = Shell::state();
    if (!s.DataPath.isEmpty()) GenreList::rebuild(GenreList::fileIn(s.DataPath), s.databasePath());
}

void frmContents::MakeGenretxt() {
    LoadingScope loading(Loading);
    const QString path = genrePath();
    const QString kept = ComboGenre->currentText();
    ComboGenre->clear();
    try {
        ComboGenre->addItems(GenreList::rebuild(path, Shell::state().databasePath()));
    } catch (const RuntimeError&) {
        // A failed rebuild leaves the old file; the box shows what it holds.
        ComboGenre->addItems(GenreList::read(path));
        ComboGenre->setCurrentText(kept);
        throw;
    }
    ComboGenre->setCurrentText(kept);
}

bool frmContents::AddGenreToCsv() { return GenreList::append(genrePath(), ComboGenre->currentText()); }

bool frmContents::Form_Unload() {
    if (ChangeYesNo &&
        Prompts::MsgBox(QStringLiteral("変更されています。保存しますか？"), Prompts::vbYesNo) == Prompts::vbYes &&
        !Btn1Click_ToolBar())
        return false;
    return true;
}

void frmContents::closeEvent(QCloseEvent* event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    // The window is only hidden; opened again it starts as a fresh load does.
    {
        LoadingScope loading(Loading);
        Contents_Initialize();
        txtExtend->clear();
        txtExcerpt->clear();
    }
    ChangeYesNo = false;
    InitUndoRedo();
    event->accept();
}

void frmContents::Btn5Click_ToolBar() {
    Btn1Click_ToolBar();
    const auto& h = Shell::hooks();
    try {
        if (h.saveTmpFile) h.saveTmpFile();
    } catch (const std::exception&) {
    }
    Shell::setStatusText(QStringLiteral("Webページ表示中..."));
    try {
        if (h.navigateBrowser)
            h.navigateBrowser(BrowserPages::page(QStringLiteral("tmp.htm#")) + Shell::state().EnterDay);
    } catch (const std::exception&) {
    }
}

void frmContents::Btn3Click_ToolBar() { frmHTMLMakeImage::showDialog(); }

void frmContents::picPrevRaravExist_Click() {
    const QString page = BrowserPages::page(QStringLiteral("oldtmp.htm"));
    try {
        WaitCursor wait;
        BrowserPages::prepare(Shell::state().DataPath);
        HTML0::MakeSameDayPage(page, Shell::state().EnterDay);
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(e.description, Prompts::vbCritical);
        return;
    }
    frmPrevRaravViewer* viewer = frmPrevRaravViewer::instance();
    viewer->showWindow();
    viewer->WebBrowser->Navigate(page);
}

void frmContents::cToolbar_ButtonClick(const QString& key) {
    if (key == QLatin1String("SaveToMDBOnly"))
        Btn1Click_ToolBar();
    else if (key == QLatin1String("SaveToMDB"))
        Btn5Click_ToolBar();
    else if (key == QLatin1String("InsertURL"))
        Btn2Click_ToolBar();
    else if (key == QLatin1String("InsertImg"))
        Btn3Click_ToolBar();
    else if (key == QLatin1String("InsertTag"))
        InsertSelectedTag();
}
