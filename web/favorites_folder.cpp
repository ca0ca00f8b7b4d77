#include "web/favorites_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace FavoritesFolder {
QString GetFavoritesFolder() {
    // The per-user data folder under the program's name alone: the
    // application data location adds the organisation's name in front, which
    // is the same name.
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty()) name = QStringLiteral("Rarav");
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QLatin1Char('/') + name + QStringLiteral("/Favorites");
}
}  // namespace FavoritesFolder
