// The program's start. The program folder's lock is taken with nothing but Qt
// Core loaded; only then is the program itself loaded (librarav_program.so,
// see platform/program_modules.h), so that a second start ends before the
// window system, the database and the network libraries have cost it
// anything, and the first one pays for them once.
#include "platform/allocator.h"
#include "platform/program_folder.h"
#include "platform/program_modules.h"
#include "shell/single_instance.h"

#include <QCoreApplication>
#include <cstdio>

using ProgramMain = int (*)(int argc, char** argv, QLockFile* lock, const QString* myPath);

int main(int argc, char** argv) {
    Allocator::keepFreedMemoryForReuse();
    QCoreApplication::setApplicationName(QStringLiteral("Rarav"));
    QCoreApplication::setOrganizationName(QStringLiteral("Rarav"));
    const QString executableFolder = SingleInstance::executableFolder(argv[0]);
    const QString myPath = ProgramFolder::resolve(executableFolder, QStringLiteral(RARAV_SHARE_DIR));
    std::unique_ptr<QLockFile> lock = SingleInstance::acquire(myPath);
    if (!lock) return 0;

    QString problem;
    const auto run = reinterpret_cast<ProgramMain>(
        ProgramModules::entry(executableFolder, QStringLiteral("librarav_program.so"), "rarav_program_main", &problem));
    if (!run) {
        // No window can say it: the window system is in the module.
        std::fprintf(stderr, "Rarav: %s\n", qPrintable(problem));
        return 1;
    }
    return run(argc, argv, lock.release(), &myPath);
}
