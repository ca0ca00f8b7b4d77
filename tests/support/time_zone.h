#pragma once
// Puts the process in another time zone until the end of the scope, so that
// a test of local times gives the same result wherever it runs.
#include <QByteArray>
#include <QtGlobal>
#include <ctime>

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone = nullptr)
        : old_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ")) {
        if (zone) {
            to(zone);
            tzset();
        }
    }
    ~ScopedTimeZone() {
        if (had_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;
    // Takes effect at the program's next reading of the zone, as a change of
    // the machine's zone would.
    void to(const char* zone) { qputenv("TZ", zone); }

private:
    QByteArray old_;
    bool had_;
};
