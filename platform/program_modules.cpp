#include "platform/program_modules.h"

#include <QFileInfo>

namespace ProgramModules {

QString find(const QString& executableFolder, const QString& fileName) {
    for (const QString& folder : {executableFolder + QStringLiteral("/"), QStringLiteral(RARAV_MODULE_DIR "/")}) {
        const QFileInfo module(folder + fileName);
        if (module.isFile()) return module.absoluteFilePath();
    }
    return QString();
}

}  // namespace ProgramModules
