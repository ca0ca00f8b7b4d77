#pragma once
// What the blog posting needs of a browser: the page in hand, addressed the
// way blog descriptions address it. The built-in browser provides it; tests
// of the rules use a recording one.
#include <QList>
#include <QString>

struct BlogElement {
    enum class Kind { InForm, TagIndex, FirstNamed, Link };
    Kind kind = Kind::InForm;
    int form = 0;  // InForm: zero-based among the page's forms
    QString name;  // element name (InForm, FirstNamed) or tag (TagIndex)
    int index = 0;  // TagIndex, Link: zero-based position

    static BlogElement inForm(int form, const QString& name) { return {Kind::InForm, form, name, 0}; }
    static BlogElement byTag(const QString& tag, int index) { return {Kind::TagIndex, 0, tag, index}; }
    static BlogElement firstNamed(const QString& name) { return {Kind::FirstNamed, 0, name, 0}; }
    // The page's link (a or area with an address) at a zero-based position.
    static BlogElement link(int index) { return {Kind::Link, 0, {}, index}; }
};

struct BlogLink {
    QString href;
    QString host;  // "" for script links
};

// Every call that cannot find its form or element throws RuntimeError.
class BlogPage {
public:
    virtual ~BlogPage() = default;
    virtual void stop() = 0;
    virtual void navigate(const QString& address) = 0;
    // True once a document has finished loading since the last navigation,
    // click or submit (or since the previous wait); false after the limit.
    virtual bool waitDocumentComplete() = 0;
    virtual QString locationURL() = 0;
    virtual int formCount() = 0;
    virtual bool hasElement(const BlogElement& element) = 0;
    virtual void setValue(const BlogElement& element, const QString& value) = 0;
    virtual void setChecked(const BlogElement& element, bool checked) = 0;
    // Selects the first option whose shown text is text; none leaves the list.
    virtual void selectOptionByText(const BlogElement& element, const QString& text) = 0;
    virtual void click(const BlogElement& element) = 0;
    virtual void submit(int form) = 0;
    virtual QList<BlogLink> links() = 0;
};
