#pragma once
// The blog posting's page: the built-in browser window's WebBrowser.
#include "web/blog_page.h"

#include <QObject>
#include <QPointer>

class frmBrowser;

class BrowserBlogPage : public QObject, public BlogPage {
public:
    explicit BrowserBlogPage(frmBrowser* browser);

    // How long a wait lasts before the run gives up.
    int timeoutMs = 60000;

    void stop() override;
    void navigate(const QString& address) override;
    bool waitDocumentComplete() override;
    QString locationURL() override;
    int formCount() override;
    bool hasElement(const BlogElement& element) override;
    void setValue(const BlogElement& element, const QString& value) override;
    void setChecked(const BlogElement& element, bool checked) override;
    void selectOptionByText(const BlogElement& element, const QString& text) override;
    void click(const BlogElement& element) override;
    void submit(int form) override;
    QList<BlogLink> links() override;

private:
    class WebBrowserControl& control();

    QPointer<frmBrowser> browser_;
    // Documents completed so far, and how many had when the last action was
    // issued: the page helpers turn the event loop, so a load can complete
    // before the wait begins and must still count.
    int completions_ = 0;
    int mark_ = 0;
};
