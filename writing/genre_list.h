#pragma once
// Genre.csv in the data folder: one genre a line (CP932, CR LF), "一般"
// first after a rebuild, saved genres appended in the order they came.
#include <QString>
#include <QStringList>

namespace GenreList {

// The list's file in a data folder.
inline QString fileIn(const QString& dataPath) { return dataPath + QStringLiteral("Genre.csv"); }

// Every line in file order, empty lines and doubles included; empty when the
// file is missing.
QStringList read(const QString& csvPath);
// Writes the file anew from the database: "一般", then every other genre in
// sort order (Null and genres with a line break drop out, an empty genre gives
// an empty line). The file is replaced only when complete. Returns the lines;
// throws RuntimeError.
QStringList rebuild(const QString& csvPath, const QString& databasePath);
// Appends the genre unless a line is exactly equal or it holds a line break;
// true when it wrote.
// Throws RuntimeError when the file cannot be written.
bool append(const QString& csvPath, const QString& genre);

}  // namespace GenreList
