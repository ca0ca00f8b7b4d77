#pragma once
class QComboBox;
#include <QString>

namespace ComboBoxes {
// How many rows the opened list of a combo box shows.
void SetComboDropHeight(QComboBox* combo, int rows);
// Layout code compares this with "WindowsXP"; here it never matches.
QString GetWindowsVersionName();
}  // namespace ComboBoxes
