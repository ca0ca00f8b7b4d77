#include "platform/dates.h"
#include "tests/support/time_zone.h"

#include <gtest/gtest.h>

namespace {

// Within one reading the zone stays as it was read; every call outside one,
// and the next reading, see the zone as it is then.
TEST(Dates, TheZoneIsReadOncePerReading) {
    ScopedTimeZone zone;
    const QDate day(2024, 7, 1);
    const QTime noon(12, 0);
    zone.to("Asia/Tokyo");
    EXPECT_EQ(Dates::localTime(day, noon).offsetFromUtc(), 9 * 3600);
    {
        const Dates::ZoneReading reading;
        zone.to("Europe/London");
        EXPECT_EQ(Dates::localTime(day, noon).offsetFromUtc(), 9 * 3600);
        const Dates::ZoneReading inner;
        EXPECT_EQ(Dates::localTime(day, noon).offsetFromUtc(), 9 * 3600);
    }
    EXPECT_EQ(Dates::localTime(day, noon).offsetFromUtc(), 3600);
    zone.to("America/New_York");
    const Dates::ZoneReading reading;
    EXPECT_EQ(Dates::localTime(day, noon).offsetFromUtc(), -4 * 3600);
    // A summer-time gap within a reading still moves forward.
    EXPECT_EQ(Dates::localTime(QDate(2024, 3, 10), QTime(2, 30)).time(), QTime(3, 30));
}

}  // namespace
