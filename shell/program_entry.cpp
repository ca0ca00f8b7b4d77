// The program itself, loaded by the executable (main.cpp) once it holds the
// program folder's lock.
#include "core/shared_state.h"
#include "platform/application.h"
#include "platform/prompts_qt.h"
#include "platform/termination_signals.h"
#include "platform/web_browser.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/single_instance.h"

extern "C" __attribute__((visibility("default"))) int rarav_program_main(int argc, char** argv, QLockFile* held,
                                                                         const QString* myPath) {
    std::unique_ptr<QLockFile> lock(held);
    Shell::state().MyPath = *myPath;

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
