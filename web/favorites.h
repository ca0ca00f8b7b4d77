#pragma once
// The favourites list of the browser: one folder of the favourites tree at a
// time, its sub-folders and its Internet shortcut (".url") files.
#include <QList>
#include <QString>
#include <QStringList>

struct FavoriteItem {
    enum Picture { FolderPicture = 1, ShortcutPicture = 2 };
    QString key;   // "1Key", "2Key", ... in list order
    QString text;  // "..", a folder name, or a shortcut's name without ".url"
    int picture = FolderPicture;
    QString tag;   // parent path for "..", "Folder" for a folder, the address for a shortcut
};

namespace Favorites {

// The address of an Internet shortcut file ([InternetShortcut] URL), at most
// 255 characters; "" when the file or key is missing.
QString GetShortcutURL(const QString& filePath);

// The items of folder. Only names ending in ".url" exactly are shortcuts;
// every other entry, plain files included, is listed as a folder. ".." comes
// first unless folder is the root. Sorted: folders, then shortcuts, each
// without regard to case; otherwise in the order the directory gives. An
// empty folder path lists nothing; a path that is no folder lists only "..".
QList<FavoriteItem> listFavorites(const QString& folder, const QString& root, bool sorted);

// The folder above path: path up to its last "/".
QString parentFolder(const QString& path);

// Ascending, without regard to letter case, locale-aware; equal names keep
// their order.
QStringList SortStrings(const QStringList& names);
}  // namespace Favorites
