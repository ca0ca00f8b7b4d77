#include "web/blog_commands.h"

#include "platform/field_text.h"
#include "platform/web_browser.h"
#include "web/blog_browser_page.h"
#include "web/blog_pages.h"
#include "web/blog_posting.h"
#include "web/frm_browser.h"
#include "writing/frm_contents.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace BlogCommands {

namespace {

BlogEntry openEntry() {
    BlogEntry entry;
    entry.caption = QStringLiteral("日記作成");
    if (!frmContents::exists()) return entry;
    const frmContents* editor = frmContents::instance();
    entry.caption = editor->windowTitle();
    entry.title = editor->txtTitle->text();
    entry.body = FieldText::of(editor->txtContents);
    entry.genre = editor->ComboGenre->currentText();
    entry.isPrivate = editor->ComboPrivate->currentIndex() == 1;
    return entry;
}

void open(const std::optional<QString>& address, frmBrowser* browser) {
    if (!address || !browser) return;
    browser->WebBrowser->Navigate(*address);
}

}  // namespace

void PostBlog(const QString& BLOGTYPE) {
    frmBrowser* browser = frmBrowser::window();
    if (!browser) return;
    BrowserBlogPage page(browser);
    BlogPosting(page).PostBlog(BLOGTYPE, openEntry());
}

void ViewBlog(const QString& blog) {
    frmBrowser* browser = frmBrowser::window();
    if (browser) browser->WebBrowser->Stop();
    open(BlogPages::publicAddress(blog), browser);
}

void BlogManagement(const QString& blog) {
    frmBrowser* browser = frmBrowser::window();
    if (browser) browser->WebBrowser->Stop();
    open(BlogPages::managementAddress(blog), browser);
}

}  // namespace BlogCommands
