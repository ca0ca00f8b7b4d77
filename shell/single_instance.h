#pragma once
// One instance of the program per program folder. The lock is taken first
// thing in main(): a second start ends before it loads the browser engine or
// opens the window system.
#include <QLockFile>
#include <QString>
#include <memory>

namespace SingleInstance {

// The folder of the running executable, known before the application object
// exists.
QString executableFolder(const char* argv0);

// The lock of the program folder ("Rarav.lock"), held until the returned
// object goes; null while another running instance holds it. A lock left by
// an instance that died is taken over. The application name must be set
// before: the lock records it, and a later instance checks it against the
// holder's process to tell a live lock from a stale one.
std::unique_ptr<QLockFile> acquire(const QString& myPath);

}  // namespace SingleInstance
