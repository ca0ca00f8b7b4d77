#pragma once
// Where design sets and text blocks lie: "<data>/Customize/<set>.ini" and
// "<data>/Customize/<block>.htm", and the backup that Cancel restores.
#include <QString>
#include <QStringList>

namespace DesignSets {

QString folder(const QString& dataPath);
// The set's file; an existing one whose extension differs in letter case
// ("Look.INI") is that set's file.
QString setPath(const QString& dataPath, const QString& name);
// The same for a set folder given whole (ending in "/").
QString setFileIn(const QString& setFolder, const QString& name);
// "" when name may become a set; otherwise the message that says why not.
QString nameRefusal(const QString& dataPath, const QString& name);
// The name a set file is listed under: its file name less ".ini".
QString nameOf(const QString& setPath);
// Set names, sorted ignoring case; "RSS.ini" (exactly so) lies in the same
// folder and is no set.
QStringList names(const QString& dataPath);
// The copy of the active set taken when the customisation window opens.
QString backupPath(const QString& myPath);

// Records the set as the active one: the shared state, rarav.ini, and the
// preview page rewritten with it. An empty name records nothing.
void chooseActiveSet(const QString& name);

}  // namespace DesignSets

namespace TextBlocks {

// The block's file, found like a set's whatever the letter case of ".htm".
QString path(const QString& dataPath, const QString& name);
// Every block name (all "*.htm" of the folder), sorted ignoring case.
QStringList names(const QString& dataPath);
// The file with LF line breaks as the edit boxes hold them, less the one
// line break that a save puts after the text; "" when missing.
QString load(const QString& dataPath, const QString& name);
// The text and one line break after it, as a block has always been stored,
// so that showing and saving a block leaves it as it was; a text equal to
// what the file holds is not written at all. Characters outside the code
// page become numeric references. False when it could not be written.
bool save(const QString& dataPath, const QString& name, const QString& text);
// "" when name may become a block; otherwise the message that says why not.
QString nameRefusal(const QString& dataPath, const QString& name);

struct Key {
    QString section;
    QString key;
    bool isValid() const { return !key.isEmpty(); }
};
// Key naming the HEAD block of a category; none for other categories.
Key headKey(const QString& caption, bool isLeftFrameCategory);
// Key naming the header ("Head") or footer ("Foot") block of a category; the
// flags are tested before the caption.
Key upDownKey(const QString& caption, bool isLogCategory, bool isLeftFrameCategory, const QString& position);
// The key a deletion rewrites: formed from the position and the caption's
// pieces rather than looked up.
Key deletionKey(const QString& caption, bool isLogCategory, bool isLeftFrameCategory, const QString& position);

}  // namespace TextBlocks
