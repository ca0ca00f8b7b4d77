// The three child windows' layouts: standard, saved and restored.
#include "shell/main_window.h"
#include "core/window_place.h"
#include "shell/window_layout.h"
#include "writing/frm_calender.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// A size below zero (a main window smaller than the layout) is skipped, as
// the old statement-by-statement layout did, and the rest still applies.
void place(QMdiSubWindow* frame, const WindowLayout::Place& p) {
    QRect g = frame->geometry();
    g.moveTopLeft(QPoint(WindowPlace::toPixels(p.left), WindowPlace::toPixels(p.top)));
    if (p.width > 0) g.setWidth(WindowPlace::toPixels(p.width));
    if (p.height > 0) g.setHeight(WindowPlace::toPixels(p.height));
    frame->showNormal();
    frame->setGeometry(g);
}

WindowLayout::Place placeOf(const QMdiSubWindow* frame) {
    const QRect g = frame->geometry();
    return {WindowPlace::toTwips(g.top()), WindowPlace::toTwips(g.left()), WindowPlace::toTwips(g.width()),
            WindowPlace::toTwips(g.height())};
}
}  // namespace

QSize MDIFormTop::clientSizeTwips() const {
    const QSize size = mdiArea->viewport()->size();
    return QSize(WindowPlace::toTwips(size.width()), WindowPlace::toTwips(size.height()));
}

void MDIFormTop::applyLayout(const WindowLayout::Layout& layout) {
    place(showChild(calender()), layout.calender);
    place(showChild(editorChild()), layout.editor);
    place(showChild(browserChild()), layout.browser);
}

WindowLayout::Layout MDIFormTop::currentLayout() {
    WindowLayout::Layout l;
    l.calender = placeOf(showChild(calender()));
    l.editor = placeOf(showChild(editorChild()));
    l.browser = placeOf(showChild(browserChild()));
    return l;
}

void MDIFormTop::mnuStandard_Click() {
    const QSize client = clientSizeTwips();
    // A calendar frame smaller than its controls (the first one, or one made
    // small by the user) hides its lower row.
    QMdiSubWindow* frame = showChild(calender());
    frame->resize(frame->size().expandedTo(frame->minimumSizeHint()).expandedTo(frame->sizeHint()));
    // The editor sits below the calendar in the same column, which is as wide
    // as the wider of the two needs.
    const int column = std::max(frame->width(), showChild(editorChild())->minimumSizeHint().width());
    const QSize calenderSize(WindowPlace::toTwips(column), WindowPlace::toTwips(frame->height()));
    applyLayout(WindowLayout::standard(client.height(), client.width(), calenderSize));
    showInBrowser(WindowLayout::browserPage(state().DataPath, state().MyPath));
}

void MDIFormTop::mnuLoadWndPos_Click() {
    const QSize client = clientSizeTwips();
    applyLayout(WindowLayout::restore(state().RaravIniFile, client.height(), client.width()));
    showInBrowser(WindowLayout::browserPage(state().DataPath, state().MyPath));
}

void MDIFormTop::mnuSaveWndPos_Click() { WindowLayout::save(state().RaravIniFile, currentLayout()); }
