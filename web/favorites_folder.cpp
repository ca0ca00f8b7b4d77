#include "web/favorites_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace Module9 {
QString GetFavoritesFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share/Rarav");
    const QString folder = base + QStringLiteral("/Favorites");
    QDir().mkpath(folder);
    return folder;
}
}  // namespace Module9
