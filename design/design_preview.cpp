#include "design/design_preview.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "core/browser_pages.h"

namespace DesignPreview {

namespace {
MonthPageWriter& writer() {
    static MonthPageWriter w;
    return w;
}
int& counter() {
    static int n = 0;
    return n;
}
}  // namespace

void setMonthPageWriter(MonthPageWriter w) { writer() = std::move(w); }

QString pagePath(const QString& dataPath) { return BrowserPages::folder(dataPath) + QStringLiteral("Customize.htm"); }

void write(const QString& dataPath) {
    ++counter();
    BrowserPages::prepare(dataPath);
    if (writer()) writer()(pagePath(dataPath), Clock::now().toString(QStringLiteral("yyyy/MM")));
}

void prepare(const QString& dataPath) {
    const QString page = pagePath(dataPath);
    const QString tmp = BrowserPages::folder(dataPath) + QStringLiteral("tmp.htm");
    if (Files::exists(page) && Files::exists(tmp)) {
        try {
            write(dataPath);
        } catch (...) {
            // The window opens all the same; the first refresh tries again.
        }
        return;
    }
    if (Files::exists(page)) Files::removeFile(page);
    if (Files::exists(tmp)) Files::copyFile(tmp, page);
}

int writeCount() { return counter(); }

Navigation beforeNavigate(const QString& address) {
    if (address.left(6).toUpper() != QLatin1String("EVENT:")) return Navigation::Allow;
    return address.mid(6).toUpper() == QLatin1String("CLOSE") ? Navigation::CancelAndClose : Navigation::Cancel;
}

}  // namespace DesignPreview
