#include "design/frm_html_browser.h"

#include "design/design_preview.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QCloseEvent>
#include <QTimer>

namespace DesignPreview {
namespace {
PageViewFactory& factory() {
    static PageViewFactory f;
    return f;
}
}  // namespace
void setPageViewFactory(PageViewFactory f) { factory() = std::move(f); }
}  // namespace DesignPreview

namespace {
using WindowPlace::kTwipsPerPixel;
}

frmHTMLBrowser::frmHTMLBrowser(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHTMLBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("プレビュー"));
    auto before = [this](const QString& address) { return WebBrowser_BeforeNavigate(address); };
    if (auto& make = DesignPreview::factory(); make) WebBrowser = make(this, before);
    if (!WebBrowser.widget) WebBrowser.widget = new QWidget(this);
    WebBrowser.widget->setObjectName(QStringLiteral("WebBrowser"));
}

void frmHTMLBrowser::Form_Load(const QRect& customizeFrame) {
    int width = RaravIni::read(Shell::state().RaravIniFile, RaravIni::MiniBrowserWidth);
    if (width <= 0) width = 9000;
    resize(width / kTwipsPerPixel, customizeFrame.height());
    move(customizeFrame.x() + customizeFrame.width(), customizeFrame.y());
}

void frmHTMLBrowser::Navigate(const QString& address) {
    location_ = address;
    if (WebBrowser.navigate) WebBrowser.navigate(address);
}

bool frmHTMLBrowser::WebBrowser_BeforeNavigate(const QString& address) {
    switch (DesignPreview::beforeNavigate(address)) {
    case DesignPreview::Navigation::Allow: return true;
    case DesignPreview::Navigation::Cancel: return false;
    case DesignPreview::Navigation::CancelAndClose:
        // Not from inside the view's own navigation handler.
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    }
    return true;
}

void frmHTMLBrowser::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Our size is the client area already; the old margins made room for the frame.
    WebBrowser.widget->setGeometry(rect());
}

void frmHTMLBrowser::closeEvent(QCloseEvent* event) {
    RaravIni::write(Shell::state().RaravIniFile, RaravIni::MiniBrowserWidth, width() * kTwipsPerPixel);
    event->accept();
}
