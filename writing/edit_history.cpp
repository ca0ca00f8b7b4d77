#include "writing/edit_history.h"

void EditHistory::reset(const QString& text, int caret) {
    changes_.clear();
    carets_ = {caret};
    last_ = text;
    current_ = text;
    position_ = 1;
}

void EditHistory::record(const QString& text, int caret) {
    // The part the two texts do not share at either end is what changed.
    const qsizetype shorter = std::min(last_.size(), text.size());
    qsizetype head = 0;
    while (head < shorter && last_.at(head) == text.at(head)) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && last_.at(last_.size() - 1 - tail) == text.at(text.size() - 1 - tail)) ++tail;
    changes_.append(Change{head, last_.mid(head, last_.size() - head - tail), text.mid(head, text.size() - head - tail)});
    carets_.append(caret);
    last_ = text;
    current_ = text;
    position_ = count();
}

std::optional<EditHistory::Snapshot> EditHistory::undo() {
    if (position_ <= 1) return std::nullopt;
    --position_;
    const Change& c = changes_.at(position_ - 1);
    current_.replace(c.at, c.after.size(), c.before);
    return Snapshot{current_, carets_.at(position_ - 1)};
}

std::optional<EditHistory::Snapshot> EditHistory::redo() {
    if (position_ >= count()) return std::nullopt;
    const Change& c = changes_.at(position_ - 1);
    current_.replace(c.at, c.before.size(), c.after);
    ++position_;
    return Snapshot{current_, carets_.at(position_ - 1)};
}
