#pragma once
// The program's own shared modules (the program itself, the browser engine)
// sit beside the executable in a build tree or a program folder of its own,
// and in lib/rarav/ of the installation prefix once installed.
#include <QString>

namespace ProgramModules {

// The module's file: in the executable's folder first, then where the
// program is installed; "" when neither holds it.
QString find(const QString& executableFolder, const QString& fileName);

}  // namespace ProgramModules
