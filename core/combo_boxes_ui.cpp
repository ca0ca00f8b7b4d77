#include "core/combo_boxes.h"

#include <QComboBox>

namespace ComboBoxes {
void SetComboDropHeight(QComboBox* combo, int rows) {
    if (!combo) return;
    combo->setMaxVisibleItems(qMax(1, rows));
    // Styles that open a list over the box (Fusion among them) show every row
    // of a fixed list and ignore the count unless told otherwise.
    combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}
QString GetWindowsVersionName() { return QString(); }
}  // namespace ComboBoxes
