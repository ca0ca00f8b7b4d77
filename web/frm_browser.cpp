#include "web/frm_browser.h"

#include "platform/files.h"
#include "platform/web_browser.h"
#include "core/browser_pages.h"
#include "core/combo_boxes.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "web/browser_history.h"
#include "web/favorites.h"
#include "web/search_sites.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kLoading = QStringLiteral("Webページ表示中...");
const QString kLoaded = QStringLiteral("Webページ表示完了！");
const QString kFindHistFile = QStringLiteral("FindHist.txt");
const QString kURLHistFile = QStringLiteral("URLHist.txt");
constexpr int kTagRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

using WindowPlace::toPixels;

QComboBox* editableCombo(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    // The lists are histories that the window keeps itself.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

}  // namespace

frmBrowser::frmBrowser(QWidget* parent, bool holdEngine) : QWidget(parent) {
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(QStringLiteral("Browser"));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    QStyle* st = style();
    const struct {
        int index;
        QStyle::StandardPixmap icon;
        const char* tip;
    } buttons[] = {{1, QStyle::SP_FileDialogContentsView, "日記更新"},
                   {3, QStyle::SP_BrowserReload, "最新の情報に更新"},
                   {4, QStyle::SP_ArrowBack, "戻る"},
                   {5, QStyle::SP_ArrowForward, "進む"},
                   {6, QStyle::SP_DirHomeIcon, "Home"}};
    for (const auto& b : buttons) {
        if (b.index == 3) Toolbar1->addSeparator();
        QAction* action = Toolbar1->addAction(st->standardIcon(b.icon), QString::fromUtf8(b.tip));
        action->setToolTip(QString::fromUtf8(b.tip));
        const int index = b.index;
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    }

    PicBoxFind = new QWidget(this);
    cmbFind = editableCombo(PicBoxFind, "cmbFind");
    cmbFind->setFixedWidth(toPixels(3200));
    cmbFindSite = new QComboBox(PicBoxFind);
    cmbFindSite->setObjectName(QStringLiteral("cmbFindSite"));
    cmbFindSite->setFixedWidth(toPixels(1800));
    auto* findRow = new QHBoxLayout(PicBoxFind);
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(cmbFind);
    findRow->addWidget(cmbFindSite);

    cmbURL = editableCombo(this, "cmbURL");
    CmbFavorite = new QComboBox(this);
    CmbFavorite->setObjectName(QStringLiteral("CmbFavorite"));
    WebBrowser = new WebBrowserControl(
        this, holdEngine ? WebBrowserControl::Engine::Held : WebBrowserControl::Engine::Started);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(Toolbar1);
    topRow->addWidget(PicBoxFind);
    topRow->addStretch(1);
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(cmbURL, 1);
    addressRow->addWidget(new QLabel(QStringLiteral("Favorite"), this));
    addressRow->addWidget(CmbFavorite, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(topRow);
    layout->addLayout(addressRow);
    layout->addWidget(WebBrowser, 1);
    resize(640, 480);

    connect(cmbURL->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmbURL_KeyDown(13); });
    connect(cmbFind->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmbFind_KeyDown(13); });
    connect(CmbFavorite, &QComboBox::activated, this, [this] { CmbFavorite_Click(); });
    connect(WebBrowser, &WebBrowserControl::DocumentComplete, this, &frmBrowser::WebBrowser_DocumentComplete);

    Form_Load();
}

frmBrowser* frmBrowser::window() {
    const auto& open = Shell::hooks().browserWindow;
    return open ? qobject_cast<frmBrowser*>(open()) : nullptr;
}

void frmBrowser::Form_Load() {
    bDocumentComplete = false;
    cmbFindSite->clear();
    cmbFindSite->addItems(SearchSites::labels());
    const int site = RaravIni::read(Shell::state().RaravIniFile, RaravIni::FindSite);
    cmbFindSite->setCurrentIndex(site >= 0 && site < cmbFindSite->count() ? site : -1);
    HistoryAdd_URL();
    HistoryAdd_Find();
    // Every load starts the favourites at the root.
    CmbFavoriteTag.clear();
    LoadFavorites();
    ComboBoxes::SetComboDropHeight(cmbFind, 40);
    ComboBoxes::SetComboDropHeight(cmbURL, 40);
    ComboBoxes::SetComboDropHeight(cmbFindSite, 9);
    loaded_ = true;
}

void frmBrowser::fillHistory(QComboBox* box, int flag, const QString& fileName) {
    box->clear();
    if (flag != 1) return;
    box->addItems(BrowserHistory::load(Shell::state().UserPath + fileName));
}

void frmBrowser::HistoryAdd_Find() {
    fillHistory(cmbFind, RaravIni::read(Shell::state().RaravIniFile, RaravIni::FindHistory), kFindHistFile);
}

void frmBrowser::HistoryAdd_URL() {
    fillHistory(cmbURL, RaravIni::read(Shell::state().RaravIniFile, RaravIni::URLHistory), kURLHistFile);
}

QStringList frmBrowser::items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list.append(box->itemText(i));
    return list;
}

void frmBrowser::appendToList(QComboBox* box) {
    QStringList list = items(box);
    const QString text = box->currentText();
    if (BrowserHistory::appendUnique(list, text)) box->addItem(text);
}

void frmBrowser::saveHistory(const QComboBox* box, int flag, const QString& fileName) {
    if (flag != 1) return;
    BrowserHistory::save(Shell::state().UserPath + fileName, items(box));
}

void frmBrowser::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    const QString& ini = Shell::state().RaravIniFile;
    saveHistory(cmbFind, RaravIni::read(ini, RaravIni::FindHistory), kFindHistFile);
    saveHistory(cmbURL, RaravIni::read(ini, RaravIni::URLHistory), kURLHistFile);
    if (!ini.isEmpty()) RaravIni::write(ini, RaravIni::FindSite, cmbFindSite->currentIndex());
}

void frmBrowser::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmBrowser::WebBrowser_DocumentComplete() {
    setWindowTitle(QStringLiteral("Browser / ") + WebBrowser->LocationName());
    cmbURL->setEditText(WebBrowser->LocationURL());
    Shell::setStatusText(kLoaded);
    appendToList(cmbURL);
    bDocumentComplete = true;
}

void frmBrowser::cmbURL_KeyDown(int KeyCode) {
    if (KeyCode != 13) return;
    Shell::setStatusText(kLoading);
    WebBrowser->Navigate(cmbURL->currentText());
}

void frmBrowser::cmbFind_KeyDown(int KeyCode) {
    if (KeyCode != 13) return;
    Shell::setStatusText(kLoading);
    // With no site chosen there is no address to go to.
    const QString address = SearchSites::queryAddress(cmbFindSite->currentIndex(), cmbFind->currentText());
    if (!address.isEmpty()) WebBrowser->Navigate(address);
    appendToList(cmbFind);
}

void frmBrowser::Toolbar1_ButtonClick(int index) {
    const QString preview = BrowserPages::page(QStringLiteral("tmp.htm"));
    switch (index) {
    case 1:
        Shell::setStatusText(kLoading);
        if (Shell::hooks().saveTmpFile) Shell::hooks().saveTmpFile();
        WebBrowser->Stop();
        WebBrowser->Navigate(preview);
        break;
    case 3:
        Shell::setStatusText(kLoading);
        WebBrowser->Stop();
        WebBrowser->Refresh();
        break;
    case 4:
        Shell::setStatusText(kLoading);
        WebBrowser->Stop();
        WebBrowser->GoBack();
        break;
    case 5:
        Shell::setStatusText(kLoading);
        WebBrowser->Stop();
        WebBrowser->GoForward();
        break;
    case 6:
        // The program's own start page: the diary's preview when there is one.
        Shell::setStatusText(kLoading);
        WebBrowser->Stop();
        WebBrowser->Navigate(Files::exists(preview) ? preview : QStringLiteral("about:blank"));
        break;
    default:
        break;
    }
}

void frmBrowser::LoadFavorites() {
    const auto& s = Shell::state();
    CmbFavorite->clear();
    if (CmbFavoriteTag.isEmpty()) CmbFavoriteTag = s.FavoriteFolderPath;
    const bool sorted = RaravIni::read(s.RaravIniFile, RaravIni::FavoriteSort) == 1;
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon shortcutIcon = style()->standardIcon(QStyle::SP_FileLinkIcon);
    for (const FavoriteItem& item : Favorites::listFavorites(CmbFavoriteTag, s.FavoriteFolderPath, sorted)) {
        CmbFavorite->addItem(item.picture == FavoriteItem::ShortcutPicture ? shortcutIcon : folderIcon, item.text);
        CmbFavorite->setItemData(CmbFavorite->count() - 1, item.tag, kTagRole);
        CmbFavorite->setItemData(CmbFavorite->count() - 1, item.key, kKeyRole);
    }
    CmbFavorite->setCurrentIndex(-1);
}

void frmBrowser::CmbFavorite_Click() {
    const int i = CmbFavorite->currentIndex();
    if (i < 0) return;
    const QString text = CmbFavorite->itemText(i);
    const QString tag = CmbFavorite->itemData(i, kTagRole).toString();
    if (tag == QLatin1String("Folder")) {
        CmbFavoriteTag += QLatin1Char('/') + text;
        LoadFavorites();
    } else if (text == QLatin1String("..")) {
        CmbFavoriteTag = tag;
        LoadFavorites();
    } else if (!tag.isEmpty()) {
        // A shortcut without an address has nowhere to go.
        cmbURL->setEditText(tag);
        cmbURL_KeyDown(13);
    }
}
