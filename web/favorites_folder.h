#pragma once
#include <QString>

namespace Module9 {
// The user's Favorites folder ("Favorites" in the per-user data folder); it
// is never created here: a missing folder lists nothing. Holds Internet
// shortcut files (.url).
QString GetFavoritesFolder();
}  // namespace Module9
