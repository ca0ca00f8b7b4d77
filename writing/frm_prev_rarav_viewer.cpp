#include "writing/frm_prev_rarav_viewer.h"

#include "platform/web_browser.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "writing/find_conditions.h"
#include "core/window_place.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

frmPrevRaravViewer*& theWindow() {
    static frmPrevRaravViewer* w = nullptr;
    return w;
}

constexpr int kDefaultSize = 5000;  // twips, for a size never stored

}  // namespace

frmPrevRaravViewer* frmPrevRaravViewer::instance() {
    if (!theWindow()) {
        theWindow() = new frmPrevRaravViewer();
        theWindow()->Form_Load();
    }
    return theWindow();
}

bool frmPrevRaravViewer::exists() { return theWindow() != nullptr; }

void frmPrevRaravViewer::unloadIfLoaded() {
    frmPrevRaravViewer* w = theWindow();
    if (!w) return;
    w->close();
    // At shut-down no event loop may be left to delete it later, and the
    // browser's page must go before the engine's profile does.
    delete w;
}

frmPrevRaravViewer::frmPrevRaravViewer() : QWidget(nullptr, Qt::Tool) {
    setObjectName(QStringLiteral("frmPrevRaravViewer"));
    setWindowTitle(QStringLiteral("過去の日記"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WebBrowser = new WebBrowserControl(this);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    layout->addWidget(WebBrowser);
    WebBrowser->BeforeNavigate = [this](const QString& url) {
        bool cancel = false;
        WebBrowser_BeforeNavigate2(url, cancel);
        return cancel;
    };
}

frmPrevRaravViewer::~frmPrevRaravViewer() {
    if (theWindow() == this) theWindow() = nullptr;
}

void frmPrevRaravViewer::showWindow() {
    show();
    raise();
    activateWindow();
}

void frmPrevRaravViewer::Form_Load() {
    const QString ini = Shell::state().RaravIniFile;
    const int height = RaravIni::read(ini, RaravIni::ViewerHeight);
    const int width = RaravIni::read(ini, RaravIni::ViewerWidth);
    resize(WindowPlace::toPixels(width != 0 ? width : kDefaultSize),
           WindowPlace::toPixels(height != 0 ? height : kDefaultSize));
    const QPoint stored(WindowPlace::toPixels(RaravIni::read(ini, RaravIni::ViewerLeft)),
                        WindowPlace::toPixels(RaravIni::read(ini, RaravIni::ViewerTop)));
    const QScreen* screen = QApplication::primaryScreen();
    move(WindowPlace::onScreen(stored, screen ? screen->availableGeometry() : QRect()));
}

void frmPrevRaravViewer::Form_Unload() {
    const QString ini = Shell::state().RaravIniFile;
    if (ini.isEmpty()) return;
    RaravIni::write(ini, RaravIni::ViewerTop, WindowPlace::toTwips(pos().y()));
    RaravIni::write(ini, RaravIni::ViewerLeft, WindowPlace::toTwips(pos().x()));
    RaravIni::write(ini, RaravIni::ViewerHeight, WindowPlace::toTwips(height()));
    RaravIni::write(ini, RaravIni::ViewerWidth, WindowPlace::toTwips(width()));
}

void frmPrevRaravViewer::WebBrowser_BeforeNavigate2(const QString& address, bool& Cancel) {
    if (!FindConditions::isEventAddress(address)) return;
    Cancel = true;
    // The browser is still inside its navigation request: closing (and
    // deleting it) there would pull the page from under it.
    if (FindConditions::isCloseEvent(address)) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmPrevRaravViewer::closeEvent(QCloseEvent* event) {
    Form_Unload();
    // A later showing loads a fresh viewer, even before this one is deleted.
    if (theWindow() == this) theWindow() = nullptr;
    event->accept();
}
