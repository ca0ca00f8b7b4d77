#pragma once
#include <QString>

namespace FavoritesFolder {
// The user's Favorites folder ("Favorites" in the per-user data folder); it
// is never created here: a missing folder lists nothing. Holds Internet
// shortcut files (.url).
QString GetFavoritesFolder();
}  // namespace FavoritesFolder
