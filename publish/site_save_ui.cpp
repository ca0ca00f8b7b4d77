#include "publish/site_save_ui.h"

#include "publish/site_save.h"

#include <QGuiApplication>

namespace {
// The hourglass for the length of a save, taken down on every path out.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};
}  // namespace

namespace SiteSaveUi {

void SaveHTMLFiles() {
    BusyCursor busy;
    SiteSave::SaveHTMLFiles(Shell::state());
}

bool MnuSaveHTMLAS_Click() {
    if (!SiteSave::chooseSiteFile(Shell::state())) return false;
    SaveHTMLFiles();
    return true;
}

void SaveTmpFile() {
    BusyCursor busy;
    SiteSave::SaveTmpFile(Shell::state());
}

}  // namespace SiteSaveUi
