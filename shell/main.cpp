#include "platform/application.h"
#include "platform/prompts_qt.h"
#include "platform/termination_signals.h"
#include "platform/web_browser.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    WebEngine::prepare();
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Rarav"));
    Application::setOrganizationName(QStringLiteral("Rarav"));
    Prompts::install(std::make_unique<Prompts::QtPrompter>());

    MDIFormTop* top = MDIFormTop::instance();
    if (!top->MDIForm_Load()) {
        delete top;
        return 0;
    }
    top->show();
    TerminationSignals::install([top] { top->close(); });
    const int rc = app.exec();
    top->MDIForm_Unload();
    delete top;
    return rc;
}
