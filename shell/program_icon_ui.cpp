#include "shell/program_icon.h"

// Outside any namespace, as the resource registration must be: the pictures
// sit in a static library, which registers them only when asked.
static void registerShellIcons() {
    static const bool done = [] {
        Q_INIT_RESOURCE(shell_icons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace ProgramIcon {
QIcon icon() {
    registerShellIcons();
    return QIcon(QStringLiteral(":/shell/rarav.svg"));
}
}  // namespace ProgramIcon
