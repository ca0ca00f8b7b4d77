#pragma once
#include <QString>

namespace Module9 {
// The user's Favorites folder ("Favorites" in the per-user data folder),
// created when missing; holds Internet shortcut files (.url).
QString GetFavoritesFolder();
}  // namespace Module9
