#include "writing/edit_history.h"

void EditHistory::reset(const QString& text, int caret) {
    snapshots_ = {Snapshot{text, caret}};
    position_ = 1;
}

void EditHistory::record(const QString& text, int caret) {
    snapshots_.append(Snapshot{text, caret});
    position_ = count();
}

std::optional<EditHistory::Snapshot> EditHistory::undo() {
    if (position_ <= 1) return std::nullopt;
    --position_;
    return snapshots_.at(position_ - 1);
}

std::optional<EditHistory::Snapshot> EditHistory::redo() {
    if (position_ >= count()) return std::nullopt;
    ++position_;
    return snapshots_.at(position_ - 1);
}
