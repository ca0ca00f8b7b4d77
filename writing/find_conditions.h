#pragma once
// The search window's checks, in the order the user is told about them.
#include <QString>

namespace FindConditions {

struct Input {
    QString keyword;
    bool usePeriod = false;
    QString start, end;
    bool useGenre = false;
    int genreIndex = -1;
};

// The message for the first condition that fails; empty when the search may
// run.
QString check(const Input& in);

// Whether an address is an in-program event ("EVENT:..." in any case), and
// whether that event asks the viewer to close.
bool isEventAddress(const QString& address);
bool isCloseEvent(const QString& address);

}  // namespace FindConditions
