#pragma once
// The small preview window beside the customisation window. The page view
// inside is the program's browser, supplied through a factory; without one
// the window holds an empty view that only remembers where it was sent.
#include <QPointer>
#include <QWidget>
#include <functional>

namespace DesignPreview {

struct PageView {
    QWidget* widget = nullptr;
    std::function<void(const QString& address)> navigate;
};
// beforeNavigate is the window's handler: the view calls it for every
// navigation and cancels the navigation when it returns false.
using PageViewFactory =
    std::function<PageView(QWidget* parent, std::function<bool(const QString& address)> beforeNavigate)>;
void setPageViewFactory(PageViewFactory factory);

}  // namespace DesignPreview

class frmHTMLBrowser : public QWidget {
    Q_OBJECT
public:
    explicit frmHTMLBrowser(QWidget* parent = nullptr);

    // Sized and placed against the right edge of the given window.
    void Form_Load(const QRect& customizeFrame);
    void Navigate(const QString& address);
    // False cancels the navigation; an "EVENT:CLOSE" address also closes the window.
    bool WebBrowser_BeforeNavigate(const QString& address);
    QString LocationURL() const { return location_; }

    DesignPreview::PageView WebBrowser;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString location_;
};
