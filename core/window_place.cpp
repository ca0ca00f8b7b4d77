#include "core/window_place.h"

#include <QtGlobal>

namespace WindowPlace {

QPoint onScreen(QPoint topLeft, const QRect& area) {
    if (area.isEmpty()) return topLeft;
    constexpr int kReach = 100;
    topLeft.setX(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() - kReach)));
    topLeft.setY(qBound(area.top(), topLeft.y(), qMax(area.top(), area.bottom() - kReach)));
    return topLeft;
}

}  // namespace WindowPlace
