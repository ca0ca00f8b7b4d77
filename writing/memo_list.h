#pragma once
// The memos of table Memo (written by the memo tool) by category. Category
// holds names separated by single blanks, "[Import]" among them; a memo can be
// in several. Every memo is read, protected or not. No widgets.
#include <QList>
#include <QString>
#include <QStringList>

namespace MemoList {

inline const QString kAll = QStringLiteral("[ALL]");
inline const QString kFind = QStringLiteral("[Find]");
inline const QString kImport = QStringLiteral("[Import]");

// Names in the order first met, "[Import]" always first; counts beside them.
// An empty name (two blanks in a row) is collected like any other.
struct Categories {
    QStringList names{kImport};
    QList<qint64> counts{0};
    qint64 total = 0;  // every memo
};
Categories collect(const QString& databasePath);

struct Memo {
    QString recordId, publishTime, title, memo, category;  // Null reads as ""
};
// "[ALL]" gives every memo, "[Find]" none, any other name the memos that
// carry it as a whole word (case-sensitive); table order.
QList<Memo> memosOf(const QString& databasePath, const QString& category);

}  // namespace MemoList
