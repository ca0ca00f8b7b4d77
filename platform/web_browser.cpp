#include "platform/web_browser.h"

#include "platform/browser_address.h"
#include "platform/browser_view.h"
#include "platform/program_modules.h"
#include "platform/runtime_error.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QOpenGLContext>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <unistd.h>
#include <utility>

QT_BEGIN_NAMESPACE
// Qt's own way to set the context that all others share with (the engine
// does the same); there is no public one.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

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

QString& moduleProblemText() {
    static QString text;
    return text;
}

CreateBrowserView engineModule() {
    static const auto create = reinterpret_cast<CreateBrowserView>(
        ProgramModules::entry(QCoreApplication::applicationDirPath(), QStringLiteral("librarav_webengine.so"),
                              RARAV_BROWSER_VIEW_ENTRY, &moduleProblemText()));
    return create;
}

}  // namespace

namespace WebEngine {

void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
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

QString moduleProblem() { return moduleProblemText(); }

}  // namespace WebEngine

WebBrowserControl::WebBrowserControl(QWidget* parent, Engine engine) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setAcceptDrops(true);
    if (engine == Engine::Started) startEngine();
}

void WebBrowserControl::startEngine() {
    if (started_) return;
    const CreateBrowserView create = engineModule();
    if (!create) return;
    started_ = true;
    WebEngine::createSharedContext();
    BrowserViewHooks hooks;
    const QPointer<WebBrowserControl> self(this);
    hooks.beforeNavigate = [self](const QUrl& url) {
        return self && self->BeforeNavigate && self->BeforeNavigate(url.toString());
    };
    hooks.loading = [self](BrowserViewHooks::Loading state) {
        if (!self) return;
        switch (state) {
        case BrowserViewHooks::Loading::Started:
            self->busy_ = true;
            break;
        case BrowserViewHooks::Loading::Stopped:
            // Stopped, cancelled or replaced: no document to report, and a
            // caller that waits for the next one must not be woken by it.
            self->busy_ = false;
            break;
        case BrowserViewHooks::Loading::Finished:
            self->busy_ = false;
            emit self->DocumentComplete();
            break;
        }
    };
    hooks.openHere = [self](const QString& address) {
        if (self) self->Navigate(address);
    };
    view_ = create(this, &hooks);
    QWidget* shown = view_->widget();
    layout()->addWidget(shown);
    setFocusProxy(shown);
    const QString waiting = std::exchange(waiting_, QString());
    Navigate(waiting);
}

void WebBrowserControl::dragEnterEvent(QDragEnterEvent* event) {
    startEngine();
    event->ignore();
}

void WebBrowserControl::Navigate(const QString& target) {
    const QUrl url = BrowserAddress::fromTarget(target);
    if (url.isEmpty() || !url.isValid()) return;
    if (!started_) {
        waiting_ = target;
        return;
    }
    const QUrl current = view_->url();
    if (url.isLocalFile() && url.hasFragment() && current.isLocalFile() &&
        url.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment)) {
        // The engine would only scroll within the page it has; the file may
        // have been rewritten since, so load it again at the new anchor.
        const QString fragment = QString::fromUtf8(
            QJsonDocument(QJsonObject{{"f", url.fragment()}}).toJson(QJsonDocument::Compact));
        view_->runScript(QStringLiteral("(function(a){ location.hash = a.f; location.reload(); })(") + fragment +
                             QLatin1Char(')'),
                         nullptr);
        return;
    }
    view_->load(url);
}

void WebBrowserControl::Stop() {
    if (started_)
        view_->stop();
    else
        waiting_.clear();
}

void WebBrowserControl::GoBack() {
    startEngine();
    if (started_) view_->back();
}

void WebBrowserControl::GoForward() {
    startEngine();
    if (started_) view_->forward();
}

void WebBrowserControl::Refresh() {
    startEngine();
    if (started_) view_->reload();
}

QString WebBrowserControl::LocationURL() const {
    if (!started_) return waiting_.isEmpty() ? QString() : BrowserAddress::fromTarget(waiting_).toString();
    return view_->url().toString();
}

QString WebBrowserControl::LocationName() const { return started_ ? view_->title() : QString(); }

QVariant WebBrowserControl::runScript(const QString& script) {
    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    startEngine();
    if (!started_)
        throw RuntimeError(kObjectRequired, QStringLiteral("ブラウザを開始できません。") + WebEngine::moduleProblem());
    QPointer<WebBrowserControl> self(this);
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    view_->runScript(script, [answer, waiting](const QVariant& v) {
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
