#include "platform/background.h"

#include <QThread>

namespace Background {

namespace {

struct DiskWaits : QThreadPool {
    // The threads mostly wait, and a step may wait for another started
    // after it: never fewer of them than steps of one operation, whatever
    // the number of processors.
    DiskWaits() { setMaxThreadCount(qMax(8, QThread::idealThreadCount())); }
};

}  // namespace

QThreadPool& diskWaits() {
    static DiskWaits pool;
    return pool;
}

}  // namespace Background
