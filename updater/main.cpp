#include "platform/allocator.h"
#include "platform/application.h"
#include "platform/program_folder.h"
#include "platform/prompts_qt.h"
#include "core/shared_state.h"
#include "updater/frm_quillby_updater.h"
#include "updater/update_apply.h"

int main(int argc, char** argv) {
    Allocator::keepFreedMemoryForReuse();
    Application app(argc, argv);
    Application::setApplicationName(Updater::kApplicationTitle);
    Application::setOrganizationName(QStringLiteral("Rarav"));
    Prompts::install(std::make_unique<Prompts::QtPrompter>());

    // The same program folder as the main program's, so that both meet in
    // update.txt and the archive.
    auto& s = Shell::state();
    s.MyPath = ProgramFolder::resolve(QCoreApplication::applicationDirPath(), QStringLiteral(RARAV_SHARE_DIR));

    QuillbyUpdater window;
    window.setAttribute(Qt::WA_QuitOnClose);
    window.Form_Load(s.MyPath);
    window.show();
    return app.exec();
}
