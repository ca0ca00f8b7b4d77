#pragma once
#include <QString>

namespace Shell {
// The layout version the database records in DBInfo.VersionInfo; 0 when the
// file or the table is missing or unreadable.
int GetDBVersion(const QString& databasePath);
// The version this program's databases have.
constexpr int kCurrentDBVersion = 230;
constexpr int kMinimumDBVersion = 220;
}  // namespace Shell
