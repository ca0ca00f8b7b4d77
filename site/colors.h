#pragma once
// Colour values (red in the lowest byte, as the colour dialogs and the stored
// settings hold them), their "RRGGBB" texts, and the colour names of the
// shipped list colorname.csv.
#include <QString>
#include <QStringList>

namespace Colors {

// "RRGGBB", upper case; the highest byte of the value is ignored.
QString ColorToHex(quint32 value);
// Red + 256 * green + 65536 * blue. Anything but six hexadecimal digits
// throws RuntimeError (TypeMismatch).
int HexToColor(const QString& hex);
// A colour name gives its "#RRGGBB" as stored, a "#" number gives its name as
// stored; "Nothing" without a match, "Error" for a "#" text that is no
// hexadecimal number (the list is then not read). The list is
// MyPath + "colorname.csv"; when it is missing this throws RuntimeError
// (FileNotFound).
QString LookupColorName(QString text);
QString LookupColorName(QString text, const QString& colorNameFile);
// The names of the list in file order; a missing list gives none.
QStringList ColorNames(const QString& colorNameFile);

}  // namespace Colors
