#include "shell/database_optimize_ui.h"

#include "shell/database_optimize.h"
#include "shell/frm_db_updater.h"

#include <QApplication>

namespace DatabaseMaintenance {

namespace {

class UpdaterWindow : public RebuildWindow {
public:
    ~UpdaterWindow() override { unload(); }
    Module16::UpgradeProgress& show() override {
        frmDBUpdater* w = frmDBUpdater::instance();
        w->show();
        w->raise();
        w->setCursor(Qt::WaitCursor);
        return *w;
    }
    void unload() override { frmDBUpdater::unload(); }
};

}  // namespace

bool checkAtStartUp(const std::function<void()>& beforeTelling) {
    UpdaterWindow window;
    return checkAtStartUp(Shell::state(), window, beforeTelling);
}

void MnuOptimize_Click() {
    UpdaterWindow window;
    optimize(Shell::state(), window);
}

}  // namespace DatabaseMaintenance
