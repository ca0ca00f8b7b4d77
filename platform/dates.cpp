#include "platform/dates.h"

#include <QRegularExpression>

namespace Dates {

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
