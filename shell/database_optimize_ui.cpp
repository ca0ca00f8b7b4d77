#include "shell/database_optimize_ui.h"

#include "platform/prompts.h"
#include "shell/database_optimize.h"
#include "shell/frm_db_updater.h"

#include <QApplication>
#include <QPointer>

namespace DatabaseMaintenance {

namespace {

class UpdaterWindow : public RebuildWindow {
public:
    ~UpdaterWindow() override { unload(); }
    DatabaseUpgrade::UpgradeProgress& show() override {
        frmDBUpdater* w = frmDBUpdater::instance();
        w->show();
        w->raise();
        w->setCursor(Qt::WaitCursor);
        return *w;
    }
    void unload() override { frmDBUpdater::unload(); }
};

// The windows outside the main window (import deletion, image registration,
// tag dialogs) wait while the database is rebuilt: a row they wrote into the
// old file would be lost when the rebuilt one replaces it.
class OtherWindowsDisabled {
public:
    OtherWindowsDisabled() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // The rebuild itself disables the main window, after its question.
            if (w == Prompts::owner() || !w->isVisible() || !w->isEnabled() || w->windowType() == Qt::Popup)
                continue;
            w->setEnabled(false);
            disabled_ << w;
        }
    }
    ~OtherWindowsDisabled() {
        for (const QPointer<QWidget>& w : std::as_const(disabled_))
            if (w) w->setEnabled(true);
    }

private:
    QList<QPointer<QWidget>> disabled_;
};

}  // namespace

bool checkAtStartUp(const std::function<void()>& beforeTelling) {
    UpdaterWindow window;
    return checkAtStartUp(Shell::state(), window, beforeTelling) != StartUpCheck::Unreadable;
}

void MnuOptimize_Click() {
    OtherWindowsDisabled waiting;
    UpdaterWindow window;
    optimize(Shell::state(), window);
}

}  // namespace DatabaseMaintenance
