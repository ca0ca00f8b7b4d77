#include "platform/web_browser.h"

#include <unistd.h>

#include "platform/browser_address.h"
#include "platform/runtime_error.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QJsonDocument>
#include <QJsonObject>
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
#include <memory>
#include <utility>

QT_BEGIN_NAMESPACE
// Qt's own way to set the context that all others share with (the engine
// does the same); there is no public one.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

const QByteArray kEventScheme = QByteArrayLiteral("event");

// Without a handler the engine would hand "event:" to the desktop and never
// ask the page; with one, the before-navigate hook sees it first. A request
// that the hook lets through has nothing to show.
class EventSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::UrlInvalid); }
};

// Finds forms and elements the same way for every helper; the helper's own
// body follows and reads its arguments from A.
const char* const kPrelude = R"JS(
function form(F) {
  var f = null;
  if (F.index >= 0) f = document.forms[F.index];
  else if (F.name) f = document.forms.namedItem(F.name);
  if (f && !f.tagName) f = f[0];
  return f || null;
}
function find(L) {
  var e = null;
  if (L.kind === 'form') {
    var f = form(L.form);
    if (!f) return null;
    e = f.elements.namedItem(L.name);
    if (e && !e.tagName) e = e[0];
  } else if (L.kind === 'tag') {
    e = document.getElementsByTagName(L.name)[L.index];
  } else if (L.kind === 'named') {
    e = document.getElementsByName(L.name)[0];
  } else if (L.kind === 'link') {
    e = document.links[L.index];
  } else {
    e = document.getElementById(L.name);
  }
  return e || null;
}
function changed(e) {
  e.dispatchEvent(new Event('input', {bubbles: true}));
  e.dispatchEvent(new Event('change', {bubbles: true}));
}
)JS";

QVariantMap formArgs(const DomForm& form) { return {{"index", form.index}, {"name", form.name}}; }

QVariantMap elementArgs(const DomElement& e) {
    static const char* const kinds[] = {"form", "tag", "named", "link", "id"};
    return {{"kind", QString::fromLatin1(kinds[int(e.kind)])},
            {"form", formArgs(e.form)},
            {"name", e.name},
            {"index", e.index}};
}

[[noreturn]] void throwMissing() {
    throw RuntimeError(WebBrowserControl::kObjectRequired, QStringLiteral("オブジェクトが必要です。"));
}

}  // namespace

namespace WebEngine {

void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    QWebEngineUrlScheme scheme(kEventScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
    // The engine hands its pictures to the windows through an OpenGL context
    // that all others share with. Made by the application object, it would
    // load the whole OpenGL driver before the first window shows; an empty
    // one stands in its place until the first page (createSharedContext).
    auto* shared = new QOpenGLContext;
    qt_gl_set_global_share_context(shared);
    qAddPostRoutine([] {
        QOpenGLContext* context = QOpenGLContext::globalShareContext();
        qt_gl_set_global_share_context(nullptr);
        delete context;
    });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine ignores its default-encoding setting and guesses the charset
    // of an undeclared page from the user's language: Japanese gives
    // Shift_JIS, as the diary's own pages and the old control expect.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang")) {
        flags += flags.isEmpty() ? "--lang=ja" : " --lang=ja";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    // The engine's sandbox refuses to start as root and takes the whole
    // program down with it; as root (containers, CI) it runs without one.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void createSharedContext() {
    static bool tried = false;
    QOpenGLContext* shared = QOpenGLContext::globalShareContext();
    if (tried || !shared || shared->isValid()) return;
    tried = true;
    // As the application object would have made it at its start.
    shared->setScreen(QGuiApplication::primaryScreen());
    shared->setFormat(QSurfaceFormat::defaultFormat());
    shared->create();
}

}  // namespace WebEngine

class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(WebBrowserControl* owner) : QWebEnginePage(owner), owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        return !owner_->beforeNavigate(url);
    }

private:
    WebBrowserControl* owner_;
};

WebBrowserControl::WebBrowserControl(QWidget* parent, Engine engine) : QWebEngineView(parent) {
    if (engine == Engine::Started) startEngine();
}

void WebBrowserControl::startEngine() {
    if (started_) return;
    started_ = true;
    WebEngine::createSharedContext();
    auto* p = new BrowserPage(this);
    setPage(p);
    QWebEngineProfile* profile = p->profile();
    if (!profile->urlSchemeHandler(kEventScheme))
        profile->installUrlSchemeHandler(kEventScheme, new EventSchemeHandler(profile));
    QWebEngineSettings* s = p->settings();
    s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
    // The preview page is a local file that uses local parts and the user's
    // pictures on the web.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);

    connect(p, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            busy_ = true;
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            // Stopped, cancelled or replaced: no document to report, and a
            // caller that waits for the next one must not be woken by it.
            busy_ = false;
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
        case QWebEngineLoadingInfo::LoadFailedStatus:
            busy_ = false;
            emit DocumentComplete();
            break;
        }
    });
    const QString waiting = std::exchange(waiting_, QString());
    Navigate(waiting);
}

void WebBrowserControl::showEvent(QShowEvent* event) {
    if (started_)
        QWebEngineView::showEvent(event);
    else
        QWidget::showEvent(event);
}

void WebBrowserControl::hideEvent(QHideEvent* event) {
    if (started_)
        QWebEngineView::hideEvent(event);
    else
        QWidget::hideEvent(event);
}

void WebBrowserControl::closeEvent(QCloseEvent* event) {
    if (started_)
        QWebEngineView::closeEvent(event);
    else
        QWidget::closeEvent(event);
}

void WebBrowserControl::dragEnterEvent(QDragEnterEvent* event) {
    startEngine();
    QWebEngineView::dragEnterEvent(event);
}

bool WebBrowserControl::beforeNavigate(const QUrl& url) {
    return BeforeNavigate && BeforeNavigate(url.toString());
}

void WebBrowserControl::Navigate(const QString& target) {
    const QUrl url = BrowserAddress::fromTarget(target);
    if (url.isEmpty() || !url.isValid()) return;
    if (!started_) {
        waiting_ = target;
        return;
    }
    const QUrl current = this->url();
    if (url.isLocalFile() && url.hasFragment() && current.isLocalFile() &&
        url.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment)) {
        // The engine would only scroll within the page it has; the file may
        // have been rewritten since, so load it again at the new anchor.
        const QString fragment = QString::fromUtf8(
            QJsonDocument(QJsonObject{{"f", url.fragment()}}).toJson(QJsonDocument::Compact));
        page()->runJavaScript(QStringLiteral("(function(a){ location.hash = a.f; location.reload(); })(") +
                                  fragment + QLatin1Char(')'),
                              QWebEngineScript::ApplicationWorld);
        return;
    }
    setUrl(url);
}

void WebBrowserControl::Stop() {
    if (started_)
        stop();
    else
        waiting_.clear();
}

void WebBrowserControl::GoBack() {
    startEngine();
    back();
}

void WebBrowserControl::GoForward() {
    startEngine();
    forward();
}

void WebBrowserControl::Refresh() {
    startEngine();
    reload();
}

QString WebBrowserControl::LocationURL() const {
    if (!started_) return waiting_.isEmpty() ? QString() : BrowserAddress::fromTarget(waiting_).toString();
    return url().toString();
}

QString WebBrowserControl::LocationName() const { return started_ ? title() : QString(); }

namespace {
// The page of a window a link asked for: its first navigation is handed to
// the program's browser and the window goes away unseen.
class RedirectingPage : public QWebEnginePage {
public:
    RedirectingPage(WebBrowserControl* owner, QObject* parent) : QWebEnginePage(parent), owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (owner_ && !url.isEmpty()) {
            QPointer<WebBrowserControl> owner = owner_;
            const QString address = url.toString();
            QTimer::singleShot(0, owner, [owner, address] {
                if (owner) owner->Navigate(address);
            });
        }
        owner_ = nullptr;
        if (auto* view = qobject_cast<QWidget*>(parent())) view->deleteLater();
        return false;
    }

private:
    QPointer<WebBrowserControl> owner_;
};
}  // namespace

QWebEngineView* WebBrowserControl::createWindow(QWebEnginePage::WebWindowType) {
    auto* window = new QWebEngineView(this);
    window->hide();
    window->setPage(new RedirectingPage(this, window));
    return window;
}

QVariant WebBrowserControl::runScript(const QString& script) {
    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    startEngine();
    QPointer<WebBrowserControl> self(this);
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer, waiting](const QVariant& v) {
        answer->done = true;
        answer->value = v;
        if (waiting) waiting->quit();
    });
    // The window may be deleted while the loop turns; the loop must then end.
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (!answer->done) {
        QTimer::singleShot(scriptTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // A script whose effect closed the window (a page's close button) has
    // done its work; the page that would answer is gone.
    if (!self) return QVariantMap{{QStringLiteral("found"), true}};
    if (!answer->done)
        throw RuntimeError(kScriptFailed, QStringLiteral("ページが応答しません。"));
    return answer->value;
}

QVariantMap WebBrowserControl::runHelper(const QString& body, const QVariantMap& args) {
    const QString json = QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(args)).toJson(QJsonDocument::Compact));
    const QString script = QStringLiteral("(function(A){") + QLatin1String(kPrelude) + body + QStringLiteral("})(") +
                           json + QLatin1Char(')');
    const QVariantMap result = runScript(script).toMap();
    if (!result.value(QStringLiteral("found")).toBool()) throwMissing();
    return result;
}

QVariantMap WebBrowserControl::runOnElement(const DomElement& element, const QString& body, const QVariantMap& args) {
    QVariantMap all = args;
    all.insert(QStringLiteral("el"), elementArgs(element));
    return runHelper(QStringLiteral("var e = find(A.el); if (!e) return {found: false};") + body, all);
}

int WebBrowserControl::formCount() {
    return runHelper(QStringLiteral("return {found: true, n: document.forms.length};"), {})
        .value(QStringLiteral("n"))
        .toInt();
}

int WebBrowserControl::elementCount(const QString& tag) {
    return runHelper(QStringLiteral("return {found: true, n: document.getElementsByTagName(A.tag).length};"),
                     {{"tag", tag}})
        .value(QStringLiteral("n"))
        .toInt();
}

bool WebBrowserControl::hasForm(const DomForm& form) {
    return runHelper(QStringLiteral("return {found: true, has: form(A.f) !== null};"), {{"f", formArgs(form)}})
        .value(QStringLiteral("has"))
        .toBool();
}

bool WebBrowserControl::hasElement(const DomElement& element) {
    return runHelper(QStringLiteral("return {found: true, has: find(A.el) !== null};"), {{"el", elementArgs(element)}})
        .value(QStringLiteral("has"))
        .toBool();
}

QString WebBrowserControl::tagName(const DomElement& element) {
    return runOnElement(element, QStringLiteral("return {found: true, v: e.tagName};"))
        .value(QStringLiteral("v"))
        .toString();
}

QString WebBrowserControl::value(const DomElement& element) {
    return runOnElement(element, QStringLiteral("return {found: true, v: String(e.value === undefined ? '' : e.value)};"))
        .value(QStringLiteral("v"))
        .toString();
}

void WebBrowserControl::setValue(const DomElement& element, const QString& value) {
    runOnElement(element, QStringLiteral("e.value = A.v; changed(e); return {found: true};"), {{"v", value}});
}

bool WebBrowserControl::isChecked(const DomElement& element) {
    return runOnElement(element, QStringLiteral("return {found: true, v: !!e.checked};"))
        .value(QStringLiteral("v"))
        .toBool();
}

void WebBrowserControl::setChecked(const DomElement& element, bool checked) {
    runOnElement(element, QStringLiteral("e.checked = A.v; changed(e); return {found: true};"), {{"v", checked}});
}

bool WebBrowserControl::selectOptionByText(const DomElement& element, const QString& text) {
    return runOnElement(element, QStringLiteral(R"JS(
var options = e.options || [];
for (var i = 0; i < options.length; ++i) {
  if (options[i].text === A.t) { e.selectedIndex = i; changed(e); return {found: true, v: true}; }
}
return {found: true, v: false};)JS"),
                        {{"t", text}})
        .value(QStringLiteral("v"))
        .toBool();
}

void WebBrowserControl::click(const DomElement& element) {
    runOnElement(element, QStringLiteral("e.click(); return {found: true};"));
}

void WebBrowserControl::submit(const DomForm& form) {
    runHelper(QStringLiteral("var f = form(A.f); if (!f) return {found: false};"
                             "HTMLFormElement.prototype.submit.call(f); return {found: true};"),
              {{"f", formArgs(form)}});
}

QList<DomLink> WebBrowserControl::links() {
    const QVariantList list = runHelper(QStringLiteral(R"JS(
var out = [];
for (var i = 0; i < document.links.length; ++i) {
  var a = document.links[i];
  out.push({href: a.href, host: a.hostname || '', text: a.textContent || ''});
}
return {found: true, links: out};)JS"),
                                        {})
                                  .value(QStringLiteral("links"))
                                  .toList();
    QList<DomLink> result;
    for (const QVariant& v : list) {
        const QVariantMap m = v.toMap();
        result.append({m.value(QStringLiteral("href")).toString(), m.value(QStringLiteral("host")).toString(),
                       m.value(QStringLiteral("text")).toString()});
    }
    return result;
}
