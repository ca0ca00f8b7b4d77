// The main program as a user runs it, with one change: the update check is
// clicked at once, and its questions are answered Yes. The windows (main
// window, progress window) and the hand-over are the program's own.
#include "platform/application.h"
#include "core/shared_state.h"
#include "shell/frm_progress.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "tests/shell/handover/answering_prompter.h"

#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Rarav"));
    Application::setOrganizationName(QStringLiteral("Rarav"));
    auto prompter = std::make_unique<AnsweringPrompter>(QStringLiteral("Rarav"));
    prompter->describe = [](const QString&) {
        const bool open = frmProgress::exists() && frmProgress::instance()->isVisible();
        return open ? QStringLiteral(" [progress window open, OK %1]")
                          .arg(frmProgress::instance()->Btn_OK->isEnabled() ? "enabled" : "disabled")
                    : QString();
    };
    Prompts::install(std::move(prompter));

    MDIFormTop* top = MDIFormTop::instance();
    if (!top->MDIForm_Load()) return 2;
    top->show();
    // The maker's home page needs a browser engine this check does without.
    Shell::hooks().navigateBrowser = nullptr;
    QTimer::singleShot(0, top, [top] { top->menus->MnuUpdateCheck_Click(); });
    const int rc = app.exec();
    top->MDIForm_Unload();
    delete top;
    return rc;
}
