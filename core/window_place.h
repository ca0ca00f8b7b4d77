#pragma once
// Stored positions of the top-level windows of the diary, in twips. A place
// saved on a larger or a second display is kept within reach on this one.
#include <QPoint>
#include <QRect>

namespace WindowPlace {

inline constexpr int kTwipsPerPixel = 15;
inline int toPixels(int twips) { return twips / kTwipsPerPixel; }
inline int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The top-left corner moved into the available area, so that at least a
// corner of the window (about 100 pixels) stays on the screen. An empty area
// (no screen) keeps the point.
QPoint onScreen(QPoint topLeft, const QRect& area);

}  // namespace WindowPlace
