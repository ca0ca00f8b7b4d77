#pragma once
// "Now" for the whole program; tests set it so that days are predictable.
#include <QDateTime>
#include <QString>

namespace Clock {

QDateTime now();
QDate today();
// "yyyy/MM/dd" of today, the form every stored day has.
QString todayText();
// Fixes the clock at a moment (tests); an invalid value lets it run again.
void set(const QDateTime& moment);
void reset();

}  // namespace Clock
