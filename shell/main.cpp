#include "core/shared_state.h"
#include "platform/allocator.h"
#include "platform/application.h"
#include "platform/program_folder.h"
#include "platform/prompts_qt.h"
#include "platform/termination_signals.h"
#include "platform/web_browser.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/single_instance.h"

int main(int argc, char** argv) {
    Allocator::keepFreedMemoryForReuse();
    Application::setApplicationName(QStringLiteral("Rarav"));
    Application::setOrganizationName(QStringLiteral("Rarav"));
    // A second start ends here, before the browser engine and the window
    // system have cost it anything.
    auto& s = Shell::state();
    s.MyPath = ProgramFolder::resolve(SingleInstance::executableFolder(argv[0]), QStringLiteral(RARAV_SHARE_DIR));
    std::unique_ptr<QLockFile> lock = SingleInstance::acquire(s.MyPath);
    if (!lock) return 0;

    WebEngine::prepare();
    Application app(argc, argv);
    Prompts::install(std::make_unique<Prompts::QtPrompter>());
    Application::setWindowIcon(ProgramIcon::icon());

    MDIFormTop* top = MDIFormTop::instance();
    top->adoptInstanceLock(std::move(lock));
    // A request to end that comes during start-up is kept until start-up is
    // done, so that shut-down never runs on half-made state.
    bool started = false;
    bool endRequested = false;
    TerminationSignals::install([&] {
        if (started)
            top->close();
        else
            endRequested = true;
    });
    if (!top->MDIForm_Load()) {
        delete top;
        return 0;
    }
    started = true;
    top->show();
    const int rc = endRequested ? 0 : app.exec();
    top->MDIForm_Unload();
    delete top;
    return rc;
}
