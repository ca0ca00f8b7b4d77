#include "design/text_block_edits.h"

#include "platform/files.h"
#include "core/ini_file.h"

#include <QFile>

namespace {

bool sameKey(const TextBlocks::Key& a, const TextBlocks::Key& b) {
    return a.section.compare(b.section, Qt::CaseInsensitive) == 0 && a.key.compare(b.key, Qt::CaseInsensitive) == 0;
}

// False when the file cannot be read; bytes is left as it was then.
bool readFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes = file.readAll();
    return true;
}

}  // namespace

void TextBlockEdits::readShown(Shown& shown) const {
    shown.bytes.clear();
    shown.existed = false;
    if (shown.name.isEmpty()) return;
    shown.existed = readFile(TextBlocks::path(dataPath_, shown.name), shown.bytes);
}

QString TextBlockEdits::show(Box box, const QString& name, const TextBlocks::Key& key) {
    Shown& shown = shown_[box];
    shown.name = name;
    shown.key = key;
    readShown(shown);
    if (const auto it = edits_.constFind(name); it != edits_.cend()) return it->text;
    return name.isEmpty() ? QString() : TextBlocks::load(dataPath_, name);
}

void TextBlockEdits::edit(Box box, const QString& text) {
    const Shown& shown = shown_[box];
    if (shown.name.isEmpty()) return;
    Edit& e = edits_[shown.name];
    e.text = text;
    if (!shown.key.isValid()) return;
    for (const TextBlocks::Key& k : std::as_const(e.keys))
        if (sameKey(k, shown.key)) return;
    e.keys << shown.key;
}

QStringList TextBlockEdits::save(const QString& setFile) {
    QStringList failed;
    for (auto it = edits_.begin(); it != edits_.end();) {
        bool written = true;
        for (const TextBlocks::Key& k : std::as_const(it->keys))
            written = IniFile::WriteIniString(setFile, k.section, k.key, it.key()) && written;
        written = written && TextBlocks::save(dataPath_, it.key(), it->text);
        if (written) {
            it = edits_.erase(it);
        } else {
            failed << it.key();
            ++it;
        }
    }
    return failed;
}

void TextBlockEdits::takeSaved() {
    for (Shown& shown : shown_) readShown(shown);
}

bool TextBlockEdits::restoreShown(Box box) {
    const Shown& shown = shown_[box];
    if (shown.name.isEmpty()) return true;
    const QString path = TextBlocks::path(dataPath_, shown.name);
    QByteArray now;
    const bool exists = readFile(path, now);
    if (exists == shown.existed && now == shown.bytes) return true;
    return shown.existed ? Files::writeAtomic(path, shown.bytes) : Files::removeFile(path);
}
