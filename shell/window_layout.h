#pragma once
// Where the calendar, the editor and the browser sit inside the main window,
// in twips of the client area (H high, W wide). Stored layouts stay in twips
// so that settings files move between machines unchanged.
#include <QSize>
#include <QString>

namespace WindowLayout {

struct Place {
    int top = 0, left = 0;
    int width = -1, height = -1;  // -1 or less: leave the size as it is
};
struct Layout {
    Place calender, editor, browser;
};

// The calendar keeps its size; the editor sits below it and the browser
// beside both, further down or right than the classic figures when the
// calendar (calenderSize, in twips) needs the room to show all its controls.
Layout standard(int clientHeight, int clientWidth, QSize calenderSize = QSize());
// The saved layout of rarav.ini, with the defaults for missing keys and for
// sizes of 0 or less.
Layout restore(const QString& raravIni, int clientHeight, int clientWidth);
void save(const QString& raravIni, const Layout& layout);

// The preview page when it has been written, else the short manual.
QString browserPage(const QString& dataPath, const QString& myPath);

}  // namespace WindowLayout

namespace Manuals {
// Our manuals are HTML pages in the program folder, shown in the built-in
// browser.
inline const QString kSimpleManual = QStringLiteral("SimpleManual.htm");
inline const QString kManual = QStringLiteral("Manual.htm");
}  // namespace Manuals
