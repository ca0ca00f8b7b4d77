#include "platform/profile.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile_cache.h"

#include <QFile>
#include <optional>

namespace {

struct Line {
    QString text;
};

QStringList readLinesFromDisk(const QString& file);

// Every read and rewrite takes the lines through the cache: one operation
// reads many values of the same file.
QStringList readLines(const QString& file) { return ProfileCache::lines(file, readLinesFromDisk); }

QStringList readLinesFromDisk(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = Codepage::toUnicode(f.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

std::optional<QString> sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0) return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString& trimmed) { return trimmed.startsWith(QLatin1Char(';')); }

// Splits "key = value"; false for lines that hold no key.
bool keyValueOf(const QString& line, QString& key, QString& value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || isComment(t) || t.startsWith(QLatin1Char('['))) return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return true;
}

struct Location {
    qsizetype sectionLine = -1;  // index of "[section]", -1 when missing
    qsizetype keyLine = -1;      // index of the key's line, -1 when missing
    qsizetype lastContent = -1;  // last non-blank line of the section
    qsizetype sectionEnd = -1;   // first line after the section
};

Location locate(const QStringList& lines, const QString& section, const QString& key) {
    Location loc;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto s = sectionOf(lines[i])) {
            if (loc.sectionLine >= 0) {
                loc.sectionEnd = i;
                return loc;
            }
            if (s->compare(section, Qt::CaseInsensitive) == 0) {
                loc.sectionLine = i;
                loc.lastContent = i;
            }
            continue;
        }
        if (loc.sectionLine < 0) continue;
        if (!lines[i].trimmed().isEmpty()) loc.lastContent = i;
        QString k, v;
        if (loc.keyLine < 0 && !key.isEmpty() && keyValueOf(lines[i], k, v) &&
            k.compare(key, Qt::CaseInsensitive) == 0)
            loc.keyLine = i;
    }
    if (loc.sectionLine >= 0) loc.sectionEnd = lines.size();
    return loc;
}

bool writeLines(const QString& file, const QStringList& lines) {
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    ProfileCache::forget(file);
    return Files::writeAtomic(file, Codepage::fromUnicode(text));
}

QString unquote(const QString& v) {
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        return v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

namespace Profile {

QString readString(const QString& file, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const QStringList lines = readLines(file);
    const Location loc = locate(lines, section, key);
    if (loc.keyLine < 0) return defaultValue;
    QString k, v;
    keyValueOf(lines[loc.keyLine], k, v);
    return unquote(v);
}

int leadingInt(const QString& text, int defaultValue) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size() || !t[i].isDigit() || t[i].unicode() > 0x7F) return t.isEmpty() ? defaultValue : 0;
    qint64 value = 0;
    for (; i < t.size() && t[i].unicode() >= '0' && t[i].unicode() <= '9'; ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > 0x7FFFFFFFLL) value = 0x80000000LL;  // saturate instead of wrapping
    }
    if (negative) value = -value;
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
    return int(value);
}

int readInt(const QString& file, const QString& section, const QString& key, int defaultValue) {
    const QStringList lines = readLines(file);
    const Location loc = locate(lines, section, key);
    if (loc.keyLine < 0) return defaultValue;
    QString k, v;
    keyValueOf(lines[loc.keyLine], k, v);
    return leadingInt(unquote(v), defaultValue);
}

bool writeString(const QString& file, const QString& section, const QString& key,
                 const QString& value) {
    QStringList lines = readLines(file);
    const Location loc = locate(lines, section, key);
    const QString entry = key + QLatin1Char('=') + value;
    if (loc.sectionLine < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else if (loc.keyLine >= 0) {
        lines[loc.keyLine] = entry;
    } else {
        lines.insert(loc.lastContent + 1, entry);
    }
    return writeLines(file, lines);
}

bool deleteKey(const QString& file, const QString& section, const QString& key) {
    QStringList lines = readLines(file);
    const Location loc = locate(lines, section, key);
    if (loc.keyLine < 0) return true;
    lines.removeAt(loc.keyLine);
    return writeLines(file, lines);
}

QStringList sectionNames(const QString& file) {
    QStringList names;
    for (const QString& line : readLines(file)) {
        if (auto s = sectionOf(line)) {
            bool seen = false;
            for (const QString& n : names) seen = seen || n.compare(*s, Qt::CaseInsensitive) == 0;
            if (!seen) names << *s;
        }
    }
    return names;
}

QStringList keyNames(const QString& file, const QString& section) {
    const QStringList lines = readLines(file);
    const Location loc = locate(lines, section, QString());
    QStringList keys;
    if (loc.sectionLine < 0) return keys;
    for (qsizetype i = loc.sectionLine + 1; i < loc.sectionEnd; ++i) {
        QString k, v;
        if (!keyValueOf(lines[i], k, v)) continue;
        bool seen = false;
        for (const QString& n : keys) seen = seen || n.compare(k, Qt::CaseInsensitive) == 0;
        if (!seen) keys << k;
    }
    return keys;
}

}  // namespace Profile
