#include "platform/dates.h"

#include <QRegularExpression>
#include <ctime>
#include <optional>

namespace Dates {

namespace {

// The zone's offset from UTC at a moment, in seconds.
int offsetAt(qint64 secs) {
    const time_t t = time_t(secs);
    tm parts{};
    if (!localtime_r(&t, &parts)) return 0;
    return int(parts.tm_gmtoff);
}

thread_local int zoneReadings = 0;

}  // namespace

ZoneReading::ZoneReading() {
    if (zoneReadings++ == 0) tzset();
}

ZoneReading::~ZoneReading() { --zoneReadings; }

QDateTime localTime(const QDate& date, const QTime& time) {
    if (zoneReadings == 0) tzset();
    // Read the wall clock as if it were UTC, then try the offsets in force a
    // day before and a day after (no zone changes twice within two days).
    const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    const int before = offsetAt(wall - 86400);
    const int after = offsetAt(wall + 86400);
    std::optional<qint64> moment;
    for (const int offset : {before, after}) {
        const qint64 candidate = wall - offset;
        if (offsetAt(candidate) == offset && (!moment || candidate < *moment)) moment = candidate;
    }
    // In a gap neither offset fits: read with the one before the change, the
    // moment falls after it, and its wall clock is later by the gap.
    const qint64 secs = moment ? *moment : wall - before;
    return QDateTime::fromSecsSinceEpoch(secs, Qt::OffsetFromUTC, offsetAt(secs));
}

QString dayText(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM/dd")); }
QString monthText(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM")); }
QString timeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")); }

std::optional<QDate> parseDay(const QString& text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{4})([/-])(\d{1,2})\2(\d{1,2})\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!d.isValid()) return std::nullopt;
    return d;
}

}  // namespace Dates
