#include "platform/clock.h"

namespace {
QDateTime& fixedMoment() {
    static QDateTime moment;
    return moment;
}
}  // namespace

namespace Clock {

QDateTime now() { return fixedMoment().isValid() ? fixedMoment() : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
QString todayText() { return today().toString(QStringLiteral("yyyy/MM/dd")); }
void set(const QDateTime& moment) { fixedMoment() = moment; }
void reset() { fixedMoment() = QDateTime(); }

}  // namespace Clock
