#pragma once
// What the browser control asks of the browser engine. The engine lives in a
// module of its own (librarav_webengine.so, see platform/program_modules.h),
// loaded when the first page is made: its libraries take most of a start-up
// to map and relocate, and a second start or a window with no page yet needs
// none of them.
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

// What the engine tells the control.
struct BrowserViewHooks {
    enum class Loading { Started, Stopped, Finished };
    // Asked before every navigation of the page or a frame; true cancels it.
    std::function<bool(const QUrl& url)> beforeNavigate;
    // Started; stopped, cancelled or replaced (no document); finished, loaded
    // or failed (a document, perhaps the error page).
    std::function<void(Loading)> loading;
    // A link asked for a new window: the address it would have shown.
    std::function<void(const QString& address)> openHere;
};

// One engine view, a child widget of the control that owns it.
class BrowserView {
public:
    virtual ~BrowserView() = default;
    virtual QWidget* widget() = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    virtual void load(const QUrl& url) = 0;
    virtual void stop() = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void reload() = 0;
    // Runs a script in a world of its own; done, when given, gets its value.
    virtual void runScript(const QString& script, std::function<void(const QVariant&)> done) = 0;
};

// The module's one entry: makes a view, as a child of parent. The engine
// reads pages that declare no charset as Shift_JIS, may read local files and
// the web from a local page, and hands "event:" addresses to beforeNavigate.
#define RARAV_BROWSER_VIEW_ENTRY "rarav_create_browser_view"
using CreateBrowserView = BrowserView* (*)(QWidget* parent, const BrowserViewHooks* hooks);
