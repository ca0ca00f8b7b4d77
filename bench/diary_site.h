#pragma once
// A user's folders around a diary corpus, as the site benchmarks use them:
// the shipped design set and converter rules, the weather pictures, the feeds
// switched on and the current month divided into pages of seven days. The
// folders live under one root, so that a fresh process finds them again.
#include "core/shared_state.h"

#include <QDate>
#include <QString>

namespace DiarySite {

inline const QDate kLastDay(2024, 12, 31);

// The state of a site under root ("<root>/data/", "<root>/user/" ...).
Shell::SharedState stateAt(const QString& root);
// Makes the folders, the settings files and a corpus of `years` years that
// ends on kLastDay.
Shell::SharedState make(const QString& root, int years);
// The months of a corpus of `years` years, oldest first.
QList<QDate> months(int years);

}  // namespace DiarySite
