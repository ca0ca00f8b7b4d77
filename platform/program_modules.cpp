#include "platform/program_modules.h"

#include <QFileInfo>
#include <QLibrary>

namespace ProgramModules {

QString find(const QString& executableFolder, const QString& fileName) {
    for (const QString& folder : {executableFolder + QStringLiteral("/"), QStringLiteral(RARAV_MODULE_DIR "/")}) {
        const QFileInfo module(folder + fileName);
        if (module.isFile()) return module.absoluteFilePath();
    }
    return QString();
}

void* entry(const QString& executableFolder, const QString& fileName, const char* symbol, QString* problem) {
    const QString path = find(executableFolder, fileName);
    QLibrary module(path.isEmpty() ? fileName : path);
    // Its threads and objects live until the process ends.
    module.setLoadHints(QLibrary::PreventUnloadHint);
    void* found = reinterpret_cast<void*>(module.resolve(symbol));
    if (!found && problem) *problem = module.errorString();
    return found;
}

}  // namespace ProgramModules
