#include "shell/main_window.h"
#include "core/window_place.h"
#include "core/database_upgrade.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/program_folder.h"
#include "platform/web_browser.h"
#include "design/design_preview.h"
#include "design/frm_html_browser.h"
#include "publish/frm_resist_files.h"
#include "publish/ftp_upload.h"
#include "publish/site_save_ui.h"
#include "publish/sound_player_qt.h"
#include "shell/main_progress.h"
#include "site/month_page.h"
#include "shell/database_optimize_ui.h"
#include "core/file_dialogs.h"
#include "shell/frm_about.h"
#include "shell/frm_login.h"
#include "shell/frm_progress.h"
#include "shell/main_menus.h"
#include "core/rarav_ini.h"
#include "shell/single_instance.h"
#include "shell/startup.h"
#include "core/user_list.h"
#include "web/blog_commands.h"
#include "web/favorites_folder.h"
#include "web/frm_blog_manager.h"
#include "web/plugin_commands.h"
#include "writing/frm_find.h"
#include "writing/frm_html_make_image.h"
#include "writing/frm_prev_rarav_viewer.h"
#include "web/frm_browser.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QMouseEvent>
#include <QScreen>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace {
MDIFormTop*& theWindow() {
    static MDIFormTop* w = nullptr;
    return w;
}
}  // namespace

MDIFormTop* MDIFormTop::instance() {
    if (!theWindow()) theWindow() = new MDIFormTop();
    return theWindow();
}

bool MDIFormTop::exists() { return theWindow() != nullptr; }

MDIFormTop::MDIFormTop() {
    setObjectName(QStringLiteral("MDIFormTop"));
    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea);
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto* pictureLayout = new QHBoxLayout(Picture1);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    statusPanel1 = new QLabel(Picture1);
    pictureLayout->addWidget(statusPanel1);
    statusBar()->addWidget(Picture1, 1);
    Picture1->installEventFilter(this);
    resize(960, 720);

    auto& h = Shell::hooks();
    h.setStatusText = [this](const QString& text) { statusPanel1->setText(text); };
    h.saveTmpFile = [this] { SaveTmpFile(); };
    h.setEnabled = [this](bool enabled) { setEnabled(enabled); };
    h.showChild = [this](QWidget* child) { showChild(child); };
    h.navigateBrowser = [this](const QString& target) {
        frmBrowser* b = browser();
        b->WebBrowser->Stop();
        Shell::setStatusText(QStringLiteral("Webページ表示中..."));
        b->WebBrowser->Navigate(target);
        showChild(b);
    };
    // The address box of a browser that is loaded; "" before the first one.
    h.browserAddress = [this] { return browser_ ? browser_->cmbURL->currentText() : QString(); };
    h.browserWindow = [this]() -> QWidget* {
        frmBrowser* b = browser();
        showChild(b);
        return b;
    };
    h.setBusy = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    h.unloadMainWindow = [this] { close(); };
    h.postBlog = &BlogCommands::PostBlog;
    h.viewBlog = &BlogCommands::ViewBlog;
    h.blogManagement = &BlogCommands::BlogManagement;
    h.showBlogManager = [] { frmBlogManager::showModal(); };
    h.makeGenretxt = &frmContents::RebuildGenreList;
    h.resistFile = [](const QString& path, const QString& day, int number) {
        frmResistFiles::ResistFile(path, day, number);
    };
    Prompts::setOwner(this);
    menus = new MainMenus(this);
    h.setUpdaterMenuEnabled = [this](bool enabled) {
        if (QAction* a = menus->item(QStringLiteral("MnuQuillbyUpdater"))) a->setEnabled(enabled);
    };
    connectDesignPreview();
}

void MDIFormTop::connectDesignPreview() {
    DesignPreview::setMonthPageWriter([](const QString& page, const QString& month) {
        HTML0::MakeMonthPage(page, month, HTML0::CurrentMonth, false, false);
    });
    DesignPreview::setPageViewFactory([](QWidget* parent, std::function<bool(const QString&)> beforeNavigate) {
        auto* view = new WebBrowserControl(parent);
        view->BeforeNavigate = [beforeNavigate](const QString& url) { return !beforeNavigate(url); };
        return DesignPreview::PageView{view, [view](const QString& address) { view->Navigate(address); }};
    });
}

void MDIFormTop::FTP_Execute() {
    ProgressWindowUpload progress;
    Publish::UploadServices services;
    services.setStatusText = &Shell::setStatusText;
    services.setBusyPointer = Shell::hooks().setBusy;
    services.playSound = &Publish::playSound;
    services.ping = [this] { menus->MnuPING_Click(); };
    Publish::FtpUpload(progress, services).FTP_Execute();
}

MDIFormTop::~MDIFormTop() {
    Shell::hooks() = Shell::MainWindowHooks();
    if (Prompts::owner() == this) Prompts::setOwner(nullptr);
    if (theWindow() == this) theWindow() = nullptr;
}

bool MDIFormTop::acquireSingleInstance() {
    if (!instanceLock_) instanceLock_ = SingleInstance::acquire(state().MyPath);
    return instanceLock_ != nullptr;
}

void MDIFormTop::adoptInstanceLock(std::unique_ptr<QLockFile> lock) { instanceLock_ = std::move(lock); }

bool MDIFormTop::loginUser() {
    auto& s = state();
    const QString list = UserList::fileIn(s.MyPath);
    frmLogin login(list, this);
    login.exec();
    if (!login.IsOK) return false;
    if (!UserList::checkLogin(list, login.UID, login.Password)) {
        Prompts::MsgBox(QStringLiteral("不正なユーザもしくはパスワードです。\r\nQuillbyを終了します。"),
                        Prompts::vbCritical);
        return false;
    }
    if (!Startup::setUpUser(s, login.UID)) {
        Prompts::MsgBox(QStringLiteral("ユーザフォルダを作成できません。\r\n") + s.UserPath, Prompts::vbCritical);
        return false;
    }
    setWindowTitle(windowTitle() + QStringLiteral(" [User:") + s.UserID + QLatin1Char(']'));
    return true;
}

void MDIFormTop::showSplash() {
    if (RaravIni::read(state().RaravIniFile, RaravIni::ShowStartUpForm) != 1) return;
    splash_ = new StartForm(state().MyPath);
    splash_->show();
    QCoreApplication::processEvents();
}

void MDIFormTop::closeSplash() {
    delete splash_;
    splash_ = nullptr;
}

bool MDIFormTop::checkDataFolder() {
    auto& s = state();
    if (Startup::isValidDataFolder(s.DataPath)) return true;
    closeSplash();
    Prompts::MsgBox(QStringLiteral("データ保存先フォルダが不正です。\r\n有効なデータ保存先フォルダを指定して下さい。"),
                    Prompts::vbCritical);
    const QString chosen = FileDialogs::BrowseFolder(QStringLiteral("フォルダの選択"));
    if (chosen.isEmpty() || !Startup::isValidDataFolder(chosen)) {
        Prompts::MsgBox(QStringLiteral("Quillbyを再起動して、データ保存先フォルダを指定してください。"),
                        Prompts::vbInformation);
        return false;
    }
    // The folder serves this session even when it cannot be remembered.
    if (!Startup::setDataFolder(s, chosen))
        Prompts::MsgBox(QStringLiteral("書き込みできません。(%1)").arg(s.RaravIniFile), Prompts::vbCritical);
    return true;
}

bool MDIFormTop::checkDatabaseVersion() {
    // A failed rebuild leaves the old file as it was and has told the user;
    // start-up goes on, and the next start asks again. A file that is no
    // database at all ends the program.
    return DatabaseMaintenance::checkAtStartUp([this] { closeSplash(); });
}

void MDIFormTop::applyWindowSize() {
    const QString& ini = state().RaravIniFile;
    if (RaravIni::read(ini, RaravIni::WindowMaximize) == 1) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    QRect g = geometry();
    const int top = RaravIni::read(ini, RaravIni::ParentTop);
    const int left = RaravIni::read(ini, RaravIni::ParentLeft);
    const int height = RaravIni::read(ini, RaravIni::ParentHeight);
    const int width = RaravIni::read(ini, RaravIni::ParentWidth);
    if (top != 0) g.moveTop(WindowPlace::toPixels(top));
    if (left != 0) g.moveLeft(WindowPlace::toPixels(left));
    if (height != 0) g.setHeight(WindowPlace::toPixels(height));
    if (width != 0) g.setWidth(WindowPlace::toPixels(width));
    // A place saved on a larger or a second display is brought within reach.
    const QScreen* screen = QGuiApplication::primaryScreen();
    g.moveTopLeft(WindowPlace::onScreen(g.topLeft(), screen ? screen->availableGeometry() : QRect()));
    setGeometry(g);
}

bool MDIFormTop::MDIForm_Load() {
    auto& s = state();
    if (s.MyPath.isEmpty())
        s.MyPath = ProgramFolder::resolve(QCoreApplication::applicationDirPath(), QStringLiteral(RARAV_SHARE_DIR));
    if (!acquireSingleInstance()) return false;
    // Every new user's database is a copy of it; without it the folder is no
    // program folder (a broken installation), whatever the settings say.
    if (!Files::exists(s.MyPath + QStringLiteral("default.mdb"))) {
        Prompts::MsgBox(QStringLiteral("default.mdbが見つかりません。\r\n") + s.MyPath +
                            QStringLiteral("\r\nQuillbyを入れ直してください。"),
                        Prompts::vbCritical);
        return false;
    }

    Startup::finishInterruptedUpdate(s.MyPath);

    setWindowTitle(QStringLiteral("Quillby v") + Shell::versionText());
    s.CurrentVersion = Shell::versionNumber();

    // A user list that names no one who could log in (its last user was
    // deleted) would lock everybody out: such a list counts as none.
    if (Startup::isMultiUser(s.MyPath) && !UserList::users(UserList::fileIn(s.MyPath)).isEmpty()) {
        if (!loginUser()) return false;
    } else if (!Startup::setUpSingleUser(s)) {
        Prompts::MsgBox(QStringLiteral("ユーザフォルダを作成できません。\r\n") + s.UserPath, Prompts::vbCritical);
        return false;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    showSplash();

    if (!checkDataFolder()) return false;
    if (!checkDatabaseVersion()) return false;
    Startup::makeDataFolders(s);
    Startup::refreshBlogTemplates(s);
    Startup::copyWeatherIcons(s);
    Startup::fixSettingsFilePaths(s);
    s.FavoriteFolderPath = FavoritesFolder::GetFavoritesFolder();
    s.Today = Clock::todayText();
    s.EnterDay = s.Today;

    calender()->Calender->setSelectedDate(Clock::today());
    showChild(calender());
    applyWindowSize();
    if (s.IsLogin) SaveTmpFile();
    // The layouts measure the client area, which has its size only once the
    // window is shown. The browser's frame is placed at once, but its engine
    // would hold the window back: the page arrives a moment after the window.
    startBrowserWhenShown();
    show();
    const int position = RaravIni::read(s.RaravIniFile, RaravIni::WindowPosition);
    holdBrowserEngine_ = true;
    if (position == 1) mnuStandard_Click();
    if (position == 2) mnuLoadWndPos_Click();
    holdBrowserEngine_ = false;

    const bool updater = Startup::updaterMenuEnabled(s.MyPath);
    closeSplash();
    SetMenuBarString();

    const Startup::Plugins plugins = Startup::detectPlugins(s.MyPath);
    s.IsBrindleDll = plugins.brindle;
    s.IsFescueDll = plugins.fescue;
    s.IsTambourDll = plugins.tambour;
    s.IsQuillbyInfoDll = plugins.quillbyInfo;
    Startup::detectMemoTool(s);
    menus->applyStartupStates(plugins, updater, s.IsZettik);
    return true;
}

void MDIFormTop::SaveTmpFile() { SiteSaveUi::SaveTmpFile(); }

frmCalender* MDIFormTop::calender() {
    if (!calender_) calender_ = new frmCalender();
    return calender_;
}

frmBrowser* MDIFormTop::browser() {
    if (!browser_) browser_ = new frmBrowser(nullptr, holdBrowserEngine_);
    if (!browser_->isLoaded()) browser_->Form_Load();
    if (!holdBrowserEngine_) browser_->WebBrowser->startEngine();
    return browser_;
}

void MDIFormTop::startBrowserWhenShown() {
    // The window handle exists before show() so that no expose is missed.
    create();
    if (windowHandle()->isExposed())
        startBrowserEngineSoon();
    else
        windowHandle()->installEventFilter(this);
}

void MDIFormTop::startBrowserEngineSoon() {
    // After the expose has painted the window.
    QTimer::singleShot(0, this, [this] {
        if (browser_) browser_->WebBrowser->startEngine();
    });
}

QMdiSubWindow* MDIFormTop::showChild(QWidget* child) {
    for (QMdiSubWindow* w : mdiArea->subWindowList()) {
        if (w->widget() == child) {
            w->show();
            child->show();
            return w;
        }
    }
    QMdiSubWindow* frame = mdiArea->addSubWindow(child);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame->show();
    child->show();
    return frame;
}

void MDIFormTop::MDIForm_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (browser_) browser_->Form_Unload();
    auto& s = state();
    if (calender_) calender_->Form_Unload();
    if (s.IsLogin) Startup::removeGeneratedPages(s.DataPath, {PluginCommands::reportPage(s.DataPath)});
    if (!s.RaravIniFile.isEmpty() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        const QRect g = geometry();
        RaravIni::write(s.RaravIniFile, RaravIni::ParentTop, WindowPlace::toTwips(g.top()));
        RaravIni::write(s.RaravIniFile, RaravIni::ParentLeft, WindowPlace::toTwips(g.left()));
        RaravIni::write(s.RaravIniFile, RaravIni::ParentHeight, WindowPlace::toTwips(g.height()));
        RaravIni::write(s.RaravIniFile, RaravIni::ParentWidth, WindowPlace::toTwips(g.width()));
    }
    frmFind::unloadIfLoaded();
    frmPrevRaravViewer::unloadIfLoaded();
    frmProgress::unload();
    frmHTMLMakeImage::unloadIfLoaded();
    closeSplash();
    instanceLock_.reset();
}

bool MDIFormTop::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        startBrowserEngineSoon();
        return false;
    }
    if (watched == Picture1 && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        menus->Picture1_MouseDown(press->buttons().toInt(), WindowPlace::toTwips(qRound(press->position().x())));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDIFormTop::closeEvent(QCloseEvent* event) {
    // The rebuild serves the window while it runs and puts its file in
    // place of rarav.mdb at the end: ended before, the program would let go
    // of its folder, and a second start would write into the file about to
    // be replaced.
    if (DatabaseUpgrade::isUpgrading()) {
        Prompts::MsgBox(QStringLiteral("データベースを更新しています。終わるまでお待ちください。"), Prompts::vbExclamation);
        event->ignore();
        return;
    }
    // The editor offers to save a changed entry; a Yes whose save failed
    // keeps the program open with the edits.
    if (!unloaded_ && frmContents::exists() && !frmContents::instance()->Form_Unload()) {
        event->ignore();
        return;
    }
    // Windows without a parent (import deletion, search, tag dialogs) close
    // with the main window, so that none is left running on its own; one
    // that refuses to close (an unsaved change kept) keeps the program open.
    if (!unloaded_) {
        // A finished report (its OK enabled) holds nothing that could be
        // lost: it never keeps the program open, least of all when the
        // updater waits for the program to end.
        if (frmProgress::exists() && frmProgress::instance()->Btn_OK->isEnabled()) frmProgress::unload();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == this || !w->isVisible() || w->windowType() == Qt::Popup) continue;
            if (!w->close()) {
                event->ignore();
                return;
            }
        }
    }
    MDIForm_Unload();
    event->accept();
}
