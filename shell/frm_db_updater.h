#pragma once
// The rebuild's log and progress window. Closing it by hand only hides it: a
// running rebuild goes on and keeps reporting into it.
#include "core/database_upgrade.h"

#include <QWidget>

class QPlainTextEdit;
class QProgressBar;

class frmDBUpdater : public QWidget, public DatabaseUpgrade::UpgradeProgress {
    Q_OBJECT
public:
    // The one window, created on first use.
    static frmDBUpdater* instance();
    static bool exists();
    // Removes the window; its log is lost with it.
    static void unload();
    ~frmDBUpdater() override;

    QPlainTextEdit* txtStatus = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    void log(const QString& line) override;
    void setMaximum(int maximum) override;
    void setValue(int value) override;

private:
    frmDBUpdater();
};
