#pragma once
// Days, months and times are stored as text; these keep the forms in one place.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace Dates {

QString dayText(const QDate& d);          // "yyyy/MM/dd"
QString monthText(const QDate& d);        // "yyyy/MM"
QString timeText(const QDateTime& t);     // "yyyy/MM/dd hh:mm:ss"
// The lenient reading of a typed or stored day: "yyyy/m/d" or "yyyy-m-d",
// with or without leading zeros, blanks around it ignored.
std::optional<QDate> parseDay(const QString& text);
// A wall-clock time of the machine's zone as a whole moment, carrying the
// zone's offset at that moment. A time that the zone skips (a summer-time
// gap) moves forward by the gap; a time it repeats is the first occurrence.
QDateTime localTime(const QDate& date, const QTime& time);

// The machine's zone is read afresh by every localTime call outside a
// ZoneReading, and once for all the calls within one (a feed of many items).
class ZoneReading {
public:
    ZoneReading();
    ~ZoneReading();
    ZoneReading(const ZoneReading&) = delete;
    ZoneReading& operator=(const ZoneReading&) = delete;
};

}  // namespace Dates
