#pragma once
// The program's own icon, shown by every window and the About window.
#include <QIcon>

namespace ProgramIcon {
QIcon icon();
}  // namespace ProgramIcon
