#include "shell/module13.h"

#include <QComboBox>

namespace Module13 {
void SetComboDropHeight(QComboBox* combo, int rows) {
    if (combo) combo->setMaxVisibleItems(qMax(1, rows));
}
QString GetWindowsVersionName() { return QString(); }
}  // namespace Module13
