#pragma once
// Settings files (INI) with the behaviour of the Windows profile routines that
// the windows were written against: names match without regard to case, the
// first of duplicate sections or keys wins, a missing file/section/key reads
// as the caller's default, and a write touches one line only. Unlike those
// routines, values are returned whole and integers are 32-bit.
#include <QString>
#include <QStringList>

namespace Profile {

QString readString(const QString& file, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
// An optional sign and the leading digits: "12abc" is 12, "abc" is 0; a key
// that is missing or empty (or a missing file) gives the default.
int readInt(const QString& file, const QString& section, const QString& key, int defaultValue = 0);
// Replaces the key in place, appending the section or key when missing, and
// creates the file (not its folder); every other line keeps its bytes. A value
// that the reader would cut (surrounding quotes or blanks) is written inside
// one more pair of quotes. Atomic; false when the file could not be read or
// written, when the section, key or value holds a line break, or when the
// section is no isSectionName (the file is then left as it was).
bool writeString(const QString& file, const QString& section, const QString& key,
                 const QString& value);
bool deleteKey(const QString& file, const QString& section, const QString& key);
QStringList sectionNames(const QString& file);
QStringList keyNames(const QString& file, const QString& section);

// A carriage return or line feed, which no value of a settings file can hold.
bool holdsLineBreak(const QString& text);

// Whether a section of that name reads back under it: no line break, no "]"
// (the reader's end of the name) and no blanks at its ends (which it trims).
bool isSectionName(const QString& name);

// The integer reading applied to any text (shared with callers that parse
// values they read as strings).
int leadingInt(const QString& text, int defaultValue = 0);

}  // namespace Profile
