#include "shell/single_instance.h"

#include <QFileInfo>

namespace SingleInstance {

QString executableFolder(const char* argv0) {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!self.isEmpty()) return self;
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

std::unique_ptr<QLockFile> acquire(const QString& myPath) {
    auto lock = std::make_unique<QLockFile>(myPath + QStringLiteral("Rarav.lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

}  // namespace SingleInstance
