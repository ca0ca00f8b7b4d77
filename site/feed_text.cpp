#include "site/feed_text.h"

#include "platform/dates.h"
#include "site/html2text.h"

#include <QLocale>

namespace FeedText {

namespace {

bool allowedInXml(char16_t u) {
    return u == 0x09 || u == 0x0A || u == 0x0D || (u >= 0x20 && u != 0xFFFE && u != 0xFFFF);
}

QString offsetText(const QDateTime& local, bool withColon) {
    const int minutes = local.offsetFromUtc() / 60;
    const int a = qAbs(minutes);
    return QStringLiteral("%1%2%3%4")
        .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(a / 60, 2, 10, QLatin1Char('0'))
        .arg(withColon ? QStringLiteral(":") : QString())
        .arg(a % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString EscapeXml(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out += c;
                out += text[++i];
            }
            continue;
        }
        if (c.isLowSurrogate() || !allowedInXml(c.unicode())) continue;
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        default: out += c;
        }
    }
    return out;
}

QString escapeAttribute(const QString& text) {
    return EscapeXml(text).replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

QByteArray ToUTF8Bytes(const QString& text) { return text.toUtf8(); }

QString summaryText(const clsHTML2TEXT& converter, const QString& contents) {
    return converter.Execute(contents).remove(QStringLiteral("\r\n"));
}

QString cutSummary(const QString& summary) {
    constexpr qsizetype kLimit = 250;
    if (summary.size() <= kLimit) return summary;
    const qsizetype n = summary[kLimit - 1].isHighSurrogate() ? kLimit - 1 : kLimit;
    return summary.left(n);
}

QString mailDate(const QDateTime& local) {
    return QLocale::c().toString(local, QStringLiteral("ddd, d MMM yyyy hh:mm:ss")) + QLatin1Char(' ') +
           offsetText(local, false);
}

QString stamp(const QDateTime& local) {
    return local.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")) + offsetText(local, true);
}

namespace {

// The stored form "yyyy/MM/dd hh:mm:ss" read by hand: a feed reads one per
// entry and Qt's format parser costs more than the rest of the item. Any
// other form goes to that parser, which decides as before.
std::optional<QDateTime> storedTime(const QString& text) {
    static const char kShape[] = "9999/99/99 99:99:99";
    if (text.size() != qsizetype(sizeof kShape - 1)) return std::nullopt;
    int n[6] = {};
    int field = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (kShape[i] != '9') {
            if (c != char16_t(kShape[i])) return std::nullopt;
            ++field;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        n[field] = n[field] * 10 + (c - u'0');
    }
    const QDate d(n[0], n[1], n[2]);
    const QTime t(n[3], n[4], n[5]);
    if (!d.isValid() || !t.isValid()) return std::nullopt;
    return Dates::localTime(d, t);
}

// The same form through Qt's parsers, date and time apart: a local time that
// the zone skips would come back invalid from the parser of the whole.
std::optional<QDateTime> parsedTime(const QString& text) {
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    if (space < 0) return std::nullopt;
    const QDate d = QDate::fromString(text.left(space), QStringLiteral("yyyy/MM/dd"));
    const QTime t = QTime::fromString(text.mid(space + 1), QStringLiteral("hh:mm:ss"));
    if (!d.isValid() || !t.isValid()) return std::nullopt;
    return Dates::localTime(d, t);
}

}  // namespace

QDateTime publishTimeOf(const QString& publishTime, const QString& day) {
    const QString text = publishTime.trimmed();
    if (const auto stored = storedTime(text)) return *stored;
    if (const auto parsed = parsedTime(text)) return *parsed;
    const std::optional<QDate> d = Dates::parseDay(day);
    return Dates::localTime(d ? *d : QDate(2000, 1, 1), QTime(0, 0));
}

}  // namespace FeedText
