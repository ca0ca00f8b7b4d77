#pragma once
// The browser control of the windows: the operations of the old control
// (navigate, stop, back, forward, refresh, current address, busy, document
// complete, a before-navigate hook that can cancel), and synchronous access to
// the loaded page's forms, fields and links. The page itself is shown by the
// browser engine module (platform/browser_view.h), loaded at the first page.
#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>

class BrowserView;

namespace WebEngine {
// Must run before the QApplication is created: registers the "event:" scheme
// (pages close viewers by navigating to "Event:Close") and makes the engine
// read pages that declare no charset as Shift_JIS.
void prepare();
// Creates the OpenGL context that prepare() left empty; the engine needs it
// before its first page. Pages are made by WebBrowserControl, which calls it.
void createSharedContext();
// Why the engine module could not be loaded; "" when it was, or before the
// first try.
QString moduleProblem();
}  // namespace WebEngine

// A form of the page: by zero-based index among the page's forms, or by name.
struct DomForm {
    int index = -1;
    QString name;
    static DomForm at(int index) { return {index, {}}; }
    static DomForm named(const QString& name) { return {-1, name}; }
};

// An element of the page, found afresh at each use.
struct DomElement {
    enum class Kind { InForm, TagIndex, FirstNamed, Link, Id };
    Kind kind = Kind::Id;
    DomForm form;
    QString name;  // element name (InForm, FirstNamed), tag (TagIndex) or id
    int index = 0;
    // The element of that name among the form's elements.
    static DomElement inForm(const DomForm& form, const QString& name) { return {Kind::InForm, form, name, 0}; }
    // The element at a zero-based position among the page's elements of a
    // tag ("INPUT", "TEXTAREA", "SELECT", "A" ...).
    static DomElement byTag(const QString& tag, int index) { return {Kind::TagIndex, {}, tag, index}; }
    // The first element of the whole page with that name.
    static DomElement firstNamed(const QString& name) { return {Kind::FirstNamed, {}, name, 0}; }
    // The page's link (a or area with href) at a zero-based position.
    static DomElement link(int index) { return {Kind::Link, {}, {}, index}; }
    static DomElement byId(const QString& id) { return {Kind::Id, {}, id, 0}; }
};

struct DomLink {
    QString href;  // the full address
    QString host;  // its host name; "" for script links
    QString text;
};

class WebBrowserControl : public QWidget {
    Q_OBJECT
public:
    // Errors of the page helpers, as numbers the callers report.
    static constexpr int kObjectRequired = 424;  // no such form or element
    static constexpr int kScriptFailed = 440;    // the page did not answer in time

    // A held control has no page and costs no engine start until
    // startEngine(): a window can be on the screen before it. Meanwhile
    // Navigate keeps the last address for the start, Stop forgets it, and any
    // other use starts the engine first.
    enum class Engine { Started, Held };
    explicit WebBrowserControl(QWidget* parent = nullptr, Engine engine = Engine::Started);

    // Makes the page and loads the address asked for while held; does
    // nothing once started. Without the engine module the control stays
    // held, and the page helpers fail with kObjectRequired.
    void startEngine();
    bool engineStarted() const { return started_; }

    // An address or a file path with an optional "#" fragment. A path that
    // only differs from the shown page by its fragment is read again from the
    // disk (the preview page is rewritten between visits). "" does nothing.
    void Navigate(const QString& target);
    void Stop();
    void GoBack();
    void GoForward();
    void Refresh();
    // While held: the address that waits, and no title.
    QString LocationURL() const;
    QString LocationName() const;  // the page's title
    bool Busy() const { return busy_ || !waiting_.isEmpty(); }

    // Asked before every navigation of the page or a frame (typed, link, form,
    // script, Navigate) with the address; returning true cancels it.
    std::function<bool(const QString& url)> BeforeNavigate;

    // How long a page helper waits for the page to answer.
    int scriptTimeoutMs = 10000;

    // Page helpers. They run synchronously (the event loop turns, without
    // user input, until the page answers) and throw RuntimeError when the
    // form or element is missing (kObjectRequired) or the page does not
    // answer in time (kScriptFailed).
    int formCount();
    int elementCount(const QString& tag);
    bool hasForm(const DomForm& form);
    bool hasElement(const DomElement& element);
    QString tagName(const DomElement& element);
    // The value of an input, text area or selection list.
    QString value(const DomElement& element);
    // Sets the value and tells the page's scripts through input and change
    // events.
    void setValue(const DomElement& element, const QString& value);
    bool isChecked(const DomElement& element);
    void setChecked(const DomElement& element, bool checked);
    // Selects the first option whose shown text equals text; false when none
    // does (the list is then unchanged).
    bool selectOptionByText(const DomElement& element, const QString& text);
    void click(const DomElement& element);
    // Sends the form as the page's own submit() does (no submit event).
    void submit(const DomForm& form);
    QList<DomLink> links();
    // Runs a script in a world of its own (the page's scripts cannot
    // interfere) and returns its value; throws kScriptFailed on time-out.
    QVariant runScript(const QString& script);

signals:
    // A document finished loading (or failed and shows the error page); not
    // for loads that were stopped, cancelled or replaced by a new navigation.
    void DocumentComplete();

protected:
    // Something dragged over a held control starts the engine, whose page
    // takes the drag from the next move on.
    void dragEnterEvent(QDragEnterEvent* event) override;

private:
    QVariantMap runHelper(const QString& body, const QVariantMap& args);
    QVariantMap runOnElement(const DomElement& element, const QString& body, const QVariantMap& args = {});

    bool busy_ = false;
    bool started_ = false;
    QString waiting_;  // the address asked for while held
    // A child widget of this control, deleted with it.
    BrowserView* view_ = nullptr;
};
