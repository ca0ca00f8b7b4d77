#pragma once
// The undo and redo history of one editor field: the texts it held, with the
// caret. A new snapshot always goes after the last one, whatever the
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

    int count() const { return int(carets_.size()); }
    int position() const { return position_; }  // 1-based

private:
    // Each snapshot is kept as its change from the one before: a field of a
    // few megabytes would otherwise take that much again at every keystroke.
    struct Change {
        qsizetype at = 0;
        QString before, after;  // the text at `at` in the earlier and the later snapshot
    };
    QList<Change> changes_;  // changes_[k - 1] leads from snapshot k to k + 1
    QList<int> carets_;
    QString last_;     // snapshot count()
    QString current_;  // snapshot position()
    int position_ = 1;
};
