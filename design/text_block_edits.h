#pragma once
// The text blocks that the customisation window's two boxes show, and the
// edits typed into them that are not saved yet. An edit belongs to the block
// it was typed for and waits here until it is saved or dropped: showing
// another category, block or set writes nothing, so a "No" leaves every block
// file and every set as it was.
#include "design/design_sets.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class TextBlockEdits {
public:
    enum Box { Head, UpDown };

    explicit TextBlockEdits(QString dataPath = {}) : dataPath_(std::move(dataPath)) {}
    void setDataPath(const QString& dataPath) { dataPath_ = dataPath; }

    // Shows the block in the box and returns the text the box is to hold:
    // the block's pending edit, else its file ("" without a name or a file).
    QString show(Box box, const QString& name, const TextBlocks::Key& key);
    QString shownName(Box box) const { return shown_[box].name; }

    // The box now holds text: an edit of the block it shows, to be recorded
    // under the key it was shown for. Without a block there is nothing to edit.
    void edit(Box box, const QString& text);
    // The edit mark: the block the box shows has an edit not saved yet.
    bool isEdited(Box box) const { return edits_.contains(shown_[box].name); }
    bool hasEdits() const { return !edits_.isEmpty(); }

    // Writes every edit: its keys name the block in setFile, then the block
    // file takes the text. An edit that could not be written stays pending;
    // the names of those blocks are returned.
    QStringList save(const QString& setFile);
    // Drops the edit of the block the box shows, or every edit.
    void drop(Box box) { edits_.remove(shown_[box].name); }
    void dropAll() { edits_.clear(); }
    // A deleted block has nothing left to save into.
    void forget(const QString& name) { edits_.remove(name); }

    // What the shown blocks' files hold now is what they are to keep.
    void takeSaved();
    // Puts the shown block's file back as it was when shown or last saved:
    // the live preview may have saved into it text meant for a new block.
    // False when it could not be put back.
    bool restoreShown(Box box);

private:
    struct Shown {
        QString name;
        TextBlocks::Key key;
        QByteArray bytes;
        bool existed = false;
    };
    struct Edit {
        QString text;
        QList<TextBlocks::Key> keys;
    };
    void readShown(Shown& shown) const;

    QString dataPath_;
    Shown shown_[2];
    QMap<QString, Edit> edits_;  // by block name
};
