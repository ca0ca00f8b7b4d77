#pragma once
// The program's own shared modules (the program itself, the browser engine,
// the sound player) sit beside the executable in a build tree or a program
// folder of its own, and in lib/rarav/ of the installation prefix once
// installed. Each is loaded when it is first needed, so that no start pays
// for libraries it does not use, and is never unloaded.
#include <QString>

namespace ProgramModules {

// The module's file: in the executable's folder first, then where the
// program is installed; "" when neither holds it.
QString find(const QString& executableFolder, const QString& fileName);

// Loads the module and gives its entry; null, with the reason in problem,
// when the module is missing or cannot be loaded.
void* entry(const QString& executableFolder, const QString& fileName, const char* symbol, QString* problem = nullptr);

}  // namespace ProgramModules
