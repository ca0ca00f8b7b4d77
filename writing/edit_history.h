#pragma once
// The undo and redo history of one editor field: whole-text snapshots with
// the caret. A new snapshot always goes after the last one, whatever the
// current position, so undoing after an edit walks back through snapshots
// that were undone before (A, B, C; undo twice; type D; undo shows C).
#include <QList>
#include <QString>
#include <optional>

class EditHistory {
public:
    struct Snapshot {
        QString text;
        int caret = 0;
    };

    EditHistory() { reset(QString(), 0); }
    // Drops every snapshot; the given state becomes snapshot 1.
    void reset(const QString& text, int caret);
    void record(const QString& text, int caret);
    // The snapshot to show, or nothing at either end.
    std::optional<Snapshot> undo();
    std::optional<Snapshot> redo();

    int count() const { return int(snapshots_.size()); }
    int position() const { return position_; }  // 1-based

private:
    QList<Snapshot> snapshots_;
    int position_ = 1;
};
