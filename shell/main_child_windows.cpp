// The editor and browser child windows as the menus and layouts reach them.
// Until the editor and the built-in browser are connected, each is a plain
// stand-in, so that the layouts and the manuals already work.
#include "platform/files.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QWidget* standIn(const char* name, const QString& title, QWidget* content) {
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(name));
    w->setWindowTitle(title);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    content->setParent(w);
    layout->addWidget(content);
    return w;
}
}  // namespace

QWidget* MDIFormTop::editorChild() {
    if (!editorChild_) {
        auto* text = new QTextBrowser;
        text->setObjectName(QStringLiteral("txtContents"));
        editorChild_ = standIn("frmContents", QStringLiteral("日記作成"), text);
    }
    return editorChild_;
}

QWidget* MDIFormTop::browserChild() {
    if (!browserChild_) {
        auto* page = new QTextBrowser;
        page->setObjectName(QStringLiteral("WebBrowser"));
        page->setOpenExternalLinks(false);
        browserChild_ = standIn("frmBrowser", QStringLiteral("ブラウザ"), page);
    }
    return browserChild_;
}

void MDIFormTop::showInBrowser(const QString& address) {
    showChild(browserChild());
    if (Shell::hooks().navigateBrowser) {
        Shell::hooks().navigateBrowser(address);
        return;
    }
    auto* page = browserChild()->findChild<QTextBrowser*>(QStringLiteral("WebBrowser"));
    if (!page) return;
    page->setProperty("address", address);
    const QString file = address.section(QLatin1Char('#'), 0, 0);
    if (Files::exists(file)) {
        page->setSearchPaths({file.section(QLatin1Char('/'), 0, -2)});
        page->setHtml(Files::readText(file));
        const QString anchor = address.section(QLatin1Char('#'), 1);
        if (!anchor.isEmpty()) page->scrollToAnchor(anchor);
    } else {
        page->setPlainText(address);
    }
}

void MDIFormTop::refreshBrowserHistory(bool findHistory) {
    // Connected to the browser's HistoryAdd_Find / HistoryAdd_URL when the
    // browser window is in place.
    Q_UNUSED(findHistory);
}

void MDIFormTop::SetMenuBarString() {
    if (menus) menus->SetMenuBarString();
}

void MDIFormTop::Click_FormAboutLabel() {
    if (menus) menus->Click_FormAboutLabel();
}

void MDIFormTop::Click_Lumenfold() {
    if (menus) menus->Click_Lumenfold();
}
