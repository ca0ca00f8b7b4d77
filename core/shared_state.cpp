#include "core/shared_state.h"

namespace Shell {

SharedState& state() {
    static SharedState s;
    return s;
}

MainWindowHooks& hooks() {
    static MainWindowHooks h;
    return h;
}

void setStatusText(const QString& text) {
    if (hooks().setStatusText) hooks().setStatusText(text);
}

QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(RARAV_VERSION_MAJOR).arg(RARAV_VERSION_MINOR).arg(RARAV_VERSION_PATCH);
}

int versionNumber() {
    return QStringLiteral("%1%2%3").arg(RARAV_VERSION_MAJOR).arg(RARAV_VERSION_MINOR).arg(RARAV_VERSION_PATCH).toInt();
}

}  // namespace Shell
