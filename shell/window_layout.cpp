#include "shell/window_layout.h"

#include <algorithm>

#include "platform/files.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"

namespace WindowLayout {

Layout standard(int clientHeight, int clientWidth, QSize calenderSize) {
    const int below = std::max(3210, calenderSize.height());
    const int beside = std::max(4185, calenderSize.width());
    Layout l;
    l.calender = {0, 0, -1, -1};
    l.editor = {below, 0, beside, clientHeight - below};
    l.browser = {0, beside, clientWidth - beside, clientHeight};
    return l;
}

Layout restore(const QString& raravIni, int clientHeight, int clientWidth) {
    // The defaults keep the older figures (3250, H - 3260, W - 4225) that
    // restoring has always used.
    auto positive = [](int value, int fallback) { return value > 0 ? value : fallback; };
    Layout l;
    l.calender.top = RaravIni::read(raravIni, RaravIni::CalenderTop);
    l.calender.left = RaravIni::read(raravIni, RaravIni::CalenderLeft);
    l.editor.top = RaravIni::read(raravIni, RaravIni::EditerTop);
    l.editor.left = RaravIni::read(raravIni, RaravIni::EditerLeft);
    l.editor.height = positive(RaravIni::read(raravIni, RaravIni::EditerHeight), clientHeight - 3260);
    l.editor.width = positive(RaravIni::read(raravIni, RaravIni::EditerWidth), 4185);
    l.browser.top = RaravIni::read(raravIni, RaravIni::BrowserTop);
    l.browser.left = RaravIni::read(raravIni, RaravIni::BrowserLeft);
    l.browser.height = positive(RaravIni::read(raravIni, RaravIni::BrowserHeight), clientHeight);
    l.browser.width = positive(RaravIni::read(raravIni, RaravIni::BrowserWidth), clientWidth - 4225);
    return l;
}

void save(const QString& raravIni, const Layout& l) {
    RaravIni::write(raravIni, RaravIni::CalenderTop, l.calender.top);
    RaravIni::write(raravIni, RaravIni::CalenderLeft, l.calender.left);
    RaravIni::write(raravIni, RaravIni::EditerTop, l.editor.top);
    RaravIni::write(raravIni, RaravIni::EditerLeft, l.editor.left);
    RaravIni::write(raravIni, RaravIni::EditerHeight, l.editor.height);
    RaravIni::write(raravIni, RaravIni::EditerWidth, l.editor.width);
    RaravIni::write(raravIni, RaravIni::BrowserTop, l.browser.top);
    RaravIni::write(raravIni, RaravIni::BrowserLeft, l.browser.left);
    RaravIni::write(raravIni, RaravIni::BrowserHeight, l.browser.height);
    RaravIni::write(raravIni, RaravIni::BrowserWidth, l.browser.width);
}

QString browserPage(const QString& dataPath, const QString& myPath) {
    const QString page = BrowserPages::folder(dataPath) + QStringLiteral("tmp.htm");
    return Files::exists(page) ? page : myPath + Manuals::kSimpleManual;
}

}  // namespace WindowLayout
