#include "web/favorites.h"

#include "platform/profile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace Favorites {

QString GetShortcutURL(const QString& filePath) {
    return Profile::readString(filePath, QStringLiteral("InternetShortcut"), QStringLiteral("URL")).left(255);
}

QString parentFolder(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QList<FavoriteItem> listFavorites(const QString& folder, const QString& root, bool sorted) {
    QList<FavoriteItem> items;
    // An empty path would list the working folder.
    if (folder.isEmpty()) return items;
    auto add = [&items](const QString& text, int picture, const QString& tag) {
        items.append({QString::number(items.size() + 1) + QStringLiteral("Key"), text, picture, tag});
    };
    if (folder != root) add(QStringLiteral(".."), FavoriteItem::FolderPicture, parentFolder(folder));

    QStringList names;
    if (QFileInfo(folder).isDir())
        names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    auto isShortcut = [](const QString& name) { return name.endsWith(QLatin1String(".url"), Qt::CaseSensitive); };
    auto addEntry = [&](const QString& name) {
        if (isShortcut(name))
            add(name.chopped(4), FavoriteItem::ShortcutPicture, GetShortcutURL(folder + QLatin1Char('/') + name));
        else
            add(name, FavoriteItem::FolderPicture, QStringLiteral("Folder"));
    };
    if (!sorted) {
        for (const QString& name : names) addEntry(name);
        return items;
    }
    QStringList folders, shortcuts;
    for (const QString& name : names) (isShortcut(name) ? shortcuts : folders).append(name);
    for (const QString& name : Favorites::SortStrings(folders)) addEntry(name);
    for (const QString& name : Favorites::SortStrings(shortcuts)) addEntry(name);
    return items;
}

QStringList SortStrings(const QStringList& names) {
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    return sorted;
}

}  // namespace Favorites
