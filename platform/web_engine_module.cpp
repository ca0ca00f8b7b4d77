// The browser engine module: QWebEngineView behind the BrowserView interface.
// It links Qt WebEngine and nothing of the program's own, so that no state of
// the program is copied into it.
#include "platform/browser_view.h"

#include <QPointer>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

namespace {

const QByteArray kEventScheme = QByteArrayLiteral("event");

// Before the engine's first class is made: later registrations are ignored.
void registerEventScheme() {
    static bool done = false;
    if (done) return;
    done = true;
    QWebEngineUrlScheme scheme(kEventScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
}

// Without a handler the engine would hand "event:" to the desktop and never
// ask the page; with one, the before-navigate hook sees it first. A request
// that the hook lets through has nothing to show.
class EventSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::UrlInvalid); }
};

class HookedPage : public QWebEnginePage {
public:
    HookedPage(const BrowserViewHooks& hooks, QObject* parent) : QWebEnginePage(parent), hooks_(hooks) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        return !(hooks_.beforeNavigate && hooks_.beforeNavigate(url));
    }

private:
    const BrowserViewHooks& hooks_;
};

// The page of a window a link asked for: its first navigation is handed to
// the program's browser and the window goes away unseen.
class RedirectingPage : public QWebEnginePage {
public:
    RedirectingPage(std::function<void(const QString&)> openHere, QObject* parent)
        : QWebEnginePage(parent), openHere_(std::move(openHere)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (openHere_ && !url.isEmpty()) {
            // Later, and only while the browser that asked is still there.
            QPointer<QObject> alive = parent() ? parent()->parent() : nullptr;
            QTimer::singleShot(0, alive, [open = openHere_, address = url.toString(), alive] {
                if (alive) open(address);
            });
        }
        openHere_ = nullptr;
        if (auto* view = qobject_cast<QWidget*>(parent())) view->deleteLater();
        return false;
    }

private:
    std::function<void(const QString&)> openHere_;
};

class EngineView : public QWebEngineView, public BrowserView {
public:
    EngineView(QWidget* parent, const BrowserViewHooks& hooks) : QWebEngineView(parent), hooks_(hooks) {
        auto* p = new HookedPage(hooks_, this);
        setPage(p);
        QWebEngineProfile* profile = p->profile();
        if (!profile->urlSchemeHandler(kEventScheme))
            profile->installUrlSchemeHandler(kEventScheme, new EventSchemeHandler(profile));
        QWebEngineSettings* s = p->settings();
        s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        // The preview page is a local file that uses local parts and the
        // user's pictures on the web.
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        connect(p, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
            if (!hooks_.loading) return;
            switch (info.status()) {
            case QWebEngineLoadingInfo::LoadStartedStatus:
                hooks_.loading(BrowserViewHooks::Loading::Started);
                break;
            case QWebEngineLoadingInfo::LoadStoppedStatus:
                hooks_.loading(BrowserViewHooks::Loading::Stopped);
                break;
            case QWebEngineLoadingInfo::LoadSucceededStatus:
            case QWebEngineLoadingInfo::LoadFailedStatus:
                hooks_.loading(BrowserViewHooks::Loading::Finished);
                break;
            }
        });
    }

    QWidget* widget() override { return this; }
    QUrl url() const override { return QWebEngineView::url(); }
    QString title() const override { return QWebEngineView::title(); }
    void load(const QUrl& url) override { setUrl(url); }
    void stop() override { QWebEngineView::stop(); }
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void reload() override { QWebEngineView::reload(); }
    void runScript(const QString& script, std::function<void(const QVariant&)> done) override {
        if (done)
            page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, std::move(done));
        else
            page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
    }

protected:
    // A link that asks for a new window (target=_blank) opens here: the
    // program has one browser window.
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override {
        auto* window = new QWebEngineView(this);
        window->hide();
        window->setPage(new RedirectingPage(hooks_.openHere, window));
        return window;
    }

private:
    BrowserViewHooks hooks_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) BrowserView* rarav_create_browser_view(QWidget* parent,
                                                                                      const BrowserViewHooks* hooks) {
    registerEventScheme();
    return new EngineView(parent, *hooks);
}
