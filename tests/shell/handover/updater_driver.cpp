// The updater as a user runs it, with one change: Update is clicked at once,
// and "restart Quillby?" is answered Yes. The window and the update are the
// updater's own.
#include "platform/application.h"
#include "platform/program_folder.h"
#include "core/shared_state.h"
#include "updater/frm_quillby_updater.h"
#include "updater/update_apply.h"
#include "tests/shell/handover/answering_prompter.h"

#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setApplicationName(Updater::kApplicationTitle);
    Application::setOrganizationName(QStringLiteral("Rarav"));
    Prompts::install(std::make_unique<AnsweringPrompter>(QStringLiteral("QuillbyUpdater")));
    auto& s = Shell::state();
    s.MyPath = ProgramFolder::resolve(QCoreApplication::applicationDirPath(), QString());

    QuillbyUpdater window;
    window.setAttribute(Qt::WA_QuitOnClose);
    window.Form_Load(s.MyPath);
    window.show();
    // The updater ends after its run either way, so that no test leaves it behind.
    QTimer::singleShot(0, &window, [&window] {
        window.Btn_Update->click();
        window.close();
    });
    return app.exec();
}
