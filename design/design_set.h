#pragma once
// The design-set file: every page-design setting of the site in one INI file,
// under the keys the site generator reads. The table names, for every key, the
// control of the customisation window it comes from, so that the window and
// the file meet in one place.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace DesignSet {

enum class Form { Text, Colour, Integer, Flag, Choice };

// An option group. Its value is the word of the chosen option.
struct Choice {
    QStringList options;  // control names, in the order of words
    QStringList words;
    // Read as an integer and compared as its decimal text.
    bool readAsInteger = false;
    // Option chosen when the stored value matches no word; -1 keeps the group as it is.
    int fallback = -1;
    // Only the first option is looked at: the second word is written whenever
    // it is not chosen, so the key is always written.
    bool alwaysWritten = false;
};

struct Setting {
    QString section;
    QString key;
    Form form;
    QString control;  // empty for a choice, whose controls are its options
    Choice choice;
    QString id() const { return section + QLatin1Char('/') + key; }
};

// The 54 settings in the order they are written (a new file lists its
// sections General, Body, DayList, Calender, Contents, PageMoveLink,
// CalenderWindow).
const QList<Setting>& settings();

// Values by Setting::id(). A choice without a value is not written, so the
// file keeps what it held.
using Values = QHash<QString, QString>;

// Writes every value present, key by key in the table's order; keys not in
// the table (text-block names, keys only the generator reads) stay as they
// are. False when any write failed.
bool write(const QString& file, const Values& values);
// Texts and colours with default "", integers and flags as the decimal text of
// the integer reading (default 0), choices as stored (or as the integer's
// text for those read as integers).
Values read(const QString& file);

// Index of the option a stored value chooses; the fall-back (maybe -1) when
// no word matches exactly.
int optionFor(const Choice& choice, const QString& stored);
// The word to write for the chosen option (-1: none); a null string when the
// key is not to be written.
QString wordFor(const Choice& choice, int chosen);

}  // namespace DesignSet
