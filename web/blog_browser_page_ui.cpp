#include "web/blog_browser_page.h"

#include "platform/runtime_error.h"
#include "platform/web_browser.h"
#include "web/frm_browser.h"

#include <QEventLoop>
#include <QTimer>

namespace {

DomElement dom(const BlogElement& e) {
    switch (e.kind) {
    case BlogElement::Kind::InForm: return DomElement::inForm(DomForm::at(e.form), e.name);
    case BlogElement::Kind::TagIndex: return DomElement::byTag(e.name, e.index);
    case BlogElement::Kind::FirstNamed: return DomElement::firstNamed(e.name);
    case BlogElement::Kind::Link: return DomElement::link(e.index);
    }
    return {};
}

}  // namespace

BrowserBlogPage::BrowserBlogPage(frmBrowser* browser) : browser_(browser) {
    connect(browser->WebBrowser, &WebBrowserControl::DocumentComplete, this, [this] { ++completions_; });
}

WebBrowserControl& BrowserBlogPage::control() {
    if (!browser_) throw RuntimeError(WebBrowserControl::kObjectRequired, QStringLiteral("ブラウザがありません。"));
    return *browser_->WebBrowser;
}

void BrowserBlogPage::stop() { control().Stop(); }

void BrowserBlogPage::navigate(const QString& address) {
    mark_ = completions_;
    control().Navigate(address);
}

bool BrowserBlogPage::waitDocumentComplete() {
    if (completions_ == mark_) {
        QEventLoop loop;
        connect(&control(), &WebBrowserControl::DocumentComplete, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (completions_ == mark_) return false;
    mark_ = completions_;
    return true;
}

QString BrowserBlogPage::locationURL() { return control().LocationURL(); }
int BrowserBlogPage::formCount() { return control().formCount(); }
bool BrowserBlogPage::hasElement(const BlogElement& element) { return control().hasElement(dom(element)); }

void BrowserBlogPage::setValue(const BlogElement& element, const QString& value) {
    control().setValue(dom(element), value);
}

void BrowserBlogPage::setChecked(const BlogElement& element, bool checked) {
    control().setChecked(dom(element), checked);
}

void BrowserBlogPage::selectOptionByText(const BlogElement& element, const QString& text) {
    control().selectOptionByText(dom(element), text);
}

void BrowserBlogPage::click(const BlogElement& element) {
    mark_ = completions_;
    control().click(dom(element));
}

void BrowserBlogPage::submit(int form) {
    mark_ = completions_;
    control().submit(DomForm::at(form));
}

QList<BlogLink> BrowserBlogPage::links() {
    QList<BlogLink> result;
    for (const DomLink& link : control().links()) result.append({link.href, link.host});
    return result;
}
