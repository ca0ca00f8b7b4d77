#pragma once
#include <QString>

namespace Shell {
// The layout version the database records in DBInfo.VersionInfo; 0 when the
// file is missing or has no DBInfo table. Throws RuntimeError when the file
// is there but is no entry database that can be read (text, random bytes, an
// empty file, a database without the Contents table): taking such a file for
// the oldest layout would have it backed up over a good backup and rebuilt.
int GetDBVersion(const QString& databasePath);
// Why the file is not a whole, readable entry database; empty when it is.
// Reads every page of the file, so it belongs before a copy of the file is
// trusted, not on every start.
QString databaseDamage(const QString& databasePath);
// The version this program's databases have.
constexpr int kCurrentDBVersion = 230;
constexpr int kMinimumDBVersion = 220;
}  // namespace Shell
