#pragma once
// A blog page that records what the posting does to it, as lines such as
// "set f0.title=..." or "click INPUT[2]". Elements listed in missing throw as
// the browser does for an element the page lacks.
#include "platform/runtime_error.h"
#include "web/blog_page.h"

#include <QSet>
#include <QStringList>
#include <functional>

struct FakeBlogPage : BlogPage {
    QStringList log;
    int forms = 1;
    QString location;
    QSet<QString> missing;
    bool timesOut = false;
    std::function<void()> onWait;  // a page load: may change forms or location

    static QString describe(const BlogElement& e) {
        switch (e.kind) {
        case BlogElement::Kind::InForm: return QStringLiteral("f%1.%2").arg(e.form).arg(e.name);
        case BlogElement::Kind::TagIndex: return QStringLiteral("%1[%2]").arg(e.name).arg(e.index);
        case BlogElement::Kind::FirstNamed: return QLatin1Char('#') + e.name;
        case BlogElement::Kind::Link: return QStringLiteral("link[%1]").arg(e.index);
        }
        return {};
    }
    QString found(const BlogElement& e) {
        const QString d = describe(e);
        if (missing.contains(d) || (e.kind == BlogElement::Kind::InForm && e.form >= forms))
            throw RuntimeError(424, QStringLiteral("オブジェクトが必要です。"));
        return d;
    }

    void stop() override { log << QStringLiteral("stop"); }
    void navigate(const QString& address) override { log << QStringLiteral("nav ") + address; }
    bool waitDocumentComplete() override {
        log << QStringLiteral("wait");
        if (timesOut) return false;
        if (onWait) onWait();
        return true;
    }
    QString locationURL() override { return location; }
    int formCount() override { return forms; }
    bool hasElement(const BlogElement& e) override { return !missing.contains(describe(e)); }
    void setValue(const BlogElement& e, const QString& v) override { log << QStringLiteral("set %1=%2").arg(found(e), v); }
    void setChecked(const BlogElement& e, bool on) override {
        log << QStringLiteral("check %1=%2").arg(found(e)).arg(on ? 1 : 0);
    }
    void selectOptionByText(const BlogElement& e, const QString& t) override {
        log << QStringLiteral("select %1=%2").arg(found(e), t);
    }
    void click(const BlogElement& e) override { log << QStringLiteral("click ") + found(e); }
    void submit(int form) override {
        if (form >= forms) throw RuntimeError(424, QStringLiteral("オブジェクトが必要です。"));
        log << QStringLiteral("submit %1").arg(form);
    }
    QList<BlogLink> links() override { return {}; }
};
