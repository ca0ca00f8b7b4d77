#include "platform/profile.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile_cache.h"

#include <QSet>
#include <optional>

namespace {

struct Line {
    QString text;
};

ProfileCache::Reading readFromDisk(const QString& file);

// Every read takes the file through the cache: one operation reads many
// values of the same file.
ProfileCache::ReadingPtr readFile(const QString& file) { return ProfileCache::reading(file, readFromDisk); }
QStringList readLines(const QString& file) { return readFile(file)->lines; }

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

QString keyOf(const QString& section, const QString& key) {
    return section.toCaseFolded() + QChar(0) + key.toCaseFolded();
}

// Where locate would find each key: the first section of a name, and the
// first key of a name within it.
QHash<QString, qsizetype> keyLinesOf(const QStringList& lines) {
    QHash<QString, qsizetype> index;
    QSet<QString> sections;
    QString current;
    bool first = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto s = sectionOf(lines[i])) {
            current = s->toCaseFolded();
            first = !sections.contains(current);
            sections.insert(current);
            continue;
        }
        QString k, v;
        if (!first || !keyValueOf(lines[i], k, v) || k.isEmpty()) continue;
        const QString name = current + QChar(0) + k.toCaseFolded();
        if (!index.contains(name)) index.insert(name, i);
    }
    return index;
}

ProfileCache::Reading readFromDisk(const QString& file) {
    QByteArray bytes;
    if (!Files::readFile(file, bytes)) return {};
    QString text = Codepage::decodeFile(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ProfileCache::Reading r;
    r.lines = text.split(QLatin1Char('\n'));
    if (!r.lines.isEmpty() && r.lines.last().isEmpty()) r.lines.removeLast();
    r.keyLines = keyLinesOf(r.lines);
    return r;
}

// The line of the key in the file's reading, -1 when missing.
qsizetype keyLineOf(const ProfileCache::Reading& r, const QString& section, const QString& key) {
    if (key.isEmpty()) return -1;
    return r.keyLines.value(keyOf(section, key), -1);
}

// The file as its lines' own bytes, so that a write re-encodes only the
// lines it changes: a line the old program left in bytes that are not valid
// CP932 is kept byte for byte.
struct RawFile {
    bool utf8 = false;             // written after a byte-order mark
    Codepage::Utf16 utf16 = Codepage::Utf16::None;  // UTF-16 after its mark, as another editor saved it
    QByteArray mark;               // the byte-order mark the file starts with
    QList<QByteArray> bytes;       // each line without its line break
    QList<QByteArray> breaks;      // each line's own break ("" for a last line without one)
    QStringList lines;             // the decoded lines, as readLines gives them
    QList<bool> valid;             // whether the line's bytes decode whole
    bool ok = true;                // false when an existing file could not be read
    bool existed = false;
    QByteArray original;           // the file's bytes as read
};

RawFile readRaw(const QString& file) {
    RawFile raw;
    // Through a symbolic link: one whose file is not there yet (QFile's own
    // exists() counts the link) is a missing file that the write creates.
    if (!Files::exists(file)) return raw;
    // Anything but a plain file (a folder, a FIFO) is kept as it is.
    QByteArray all;
    raw.ok = Files::readFile(file, all);
    raw.existed = raw.ok;
    raw.original = all;
    raw.utf8 = Codepage::hasByteOrderMark(all);
    if (!raw.utf8) raw.utf16 = Codepage::utf16MarkOf(all);
    raw.mark = all.left(raw.utf8 ? 3 : raw.utf16 != Codepage::Utf16::None ? 2 : 0);
    all.remove(0, raw.mark.size());
    // Line breaks are found by code unit: in UTF-16 a byte 0D or 0A may be
    // half of another character.
    const qsizetype width = raw.utf16 == Codepage::Utf16::None ? 1 : 2;
    const bool bigEndian = raw.utf16 == Codepage::Utf16::BigEndian;
    const qsizetype units = all.size() / width;
    const uchar* p = reinterpret_cast<const uchar*>(all.constData());
    auto unit = [&](qsizetype i) -> char16_t {
        if (width == 1) return p[i];
        return bigEndian ? char16_t(p[2 * i] << 8 | p[2 * i + 1]) : char16_t(p[2 * i + 1] << 8 | p[2 * i]);
    };
    qsizetype start = 0;
    while (start < units) {
        qsizetype end = start;
        while (end < units && unit(end) != u'\r' && unit(end) != u'\n') ++end;
        qsizetype next = end;
        if (next < units && unit(next) == u'\r') ++next;
        if (next < units && unit(next) == u'\n' && (next == end || unit(end) == u'\r')) ++next;
        raw.bytes << all.mid(start * width, (end - start) * width);
        raw.breaks << all.mid(end * width, (next - end) * width);
        start = next;
    }
    // A byte left of a last character cut short ends the last line.
    if (all.size() > units * width) {
        if (raw.bytes.isEmpty() || !raw.breaks.last().isEmpty()) {
            raw.bytes << QByteArray();
            raw.breaks << QByteArray();
        }
        raw.bytes.last() += all.mid(units * width);
    }
    for (const QByteArray& b : raw.bytes) {
        bool valid = true;
        if (raw.utf8) {
            raw.lines << Codepage::utf8Text(b);
            valid = raw.lines.last().toUtf8() == b;
        } else if (raw.utf16 != Codepage::Utf16::None) {
            raw.lines << Codepage::utf16Text(b, raw.utf16, &valid);
        } else {
            raw.lines << Codepage::toUnicode(b, &valid);
        }
        raw.valid << valid;
    }
    return raw;
}

// Where a line to write comes from: the raw line whose break it keeps (-1 for
// a new line) and whether it keeps that line's text too.
struct Origin {
    qsizetype raw = -1;
    bool sameText = false;
};

QList<Origin> unchanged(const RawFile& raw) {
    QList<Origin> origin(raw.lines.size());
    for (qsizetype i = 0; i < origin.size(); ++i) origin[i] = {i, true};
    return origin;
}

// The file stays CP932 while CP932 holds its text and becomes UTF-8 with a
// byte-order mark when a line needs it; a UTF-8 file whose text CP932 now
// holds whole goes back to CP932. A UTF-16 file, which holds any text, stays
// as it is. Lines kept keep their bytes where they can.
bool writeRaw(const QString& file, const RawFile& raw, const QList<Origin>& origin, const QStringList& lines) {
    if (!raw.ok) return false;
    const bool utf16 = raw.utf16 != Codepage::Utf16::None;
    bool cp932Holds = !utf16;
    for (qsizetype i = 0; i < lines.size() && cp932Holds; ++i) {
        const Origin o = origin[i];
        if (o.sameText && !raw.utf8) continue;                     // CP932 bytes kept as they are
        if (o.sameText && !raw.valid[o.raw]) cp932Holds = false;  // UTF-8 bytes that decode to nothing CP932 holds
        else Codepage::fromUnicode(lines[i], Codepage::Fallback::Question, &cp932Holds);
    }
    const bool utf8 = !utf16 && !cp932Holds;
    const QByteArray lineBreak = utf16 ? Codepage::utf16Bytes(u"\r\n", raw.utf16) : QByteArray("\r\n");
    QByteArray out;
    if (utf16) out += raw.mark;
    if (utf8) out += Codepage::kByteOrderMark;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Origin o = origin[i];
        // A UTF-16 file cut short ends in half a character: anything written
        // after it would be read a byte out of step.
        if (utf16 && o.sameText && raw.bytes[o.raw].size() % 2 && i < lines.size() - 1) return false;
        if (o.sameText && (utf16 || raw.utf8 == utf8 || !raw.valid[o.raw]))
            out += raw.bytes[o.raw];
        else if (utf16)
            out += Codepage::utf16Bytes(lines[i], raw.utf16);
        else
            out += utf8 ? lines[i].toUtf8() : Codepage::fromUnicode(lines[i]);
        const QByteArray breakBytes = o.raw >= 0 ? raw.breaks[o.raw] : QByteArray();
        if (!breakBytes.isEmpty()) out += breakBytes;
        else if (i < lines.size() - 1 || o.raw < 0) out += lineBreak;
    }
    ProfileCache::forget(file);
    // A value written as it already stands leaves the file alone.
    if (raw.existed && out == raw.original) return true;
    return Files::writeAtomic(file, out);
}

// The value as written: one more pair of quotes around a value that the
// reader would otherwise cut (surrounding quotes or blanks), which the reader
// strips again.
QString quoted(const QString& value) {
    const bool quotes = value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'));
    const bool blanks = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    return quotes || blanks ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString unquote(const QString& v) {
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        return v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

namespace Profile {

bool holdsLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool isSectionName(const QString& name) {
    return !holdsLineBreak(name) && !name.contains(QLatin1Char(']')) && name.trimmed() == name;
}

QString readString(const QString& file, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const ProfileCache::ReadingPtr r = readFile(file);
    const qsizetype line = keyLineOf(*r, section, key);
    if (line < 0) return defaultValue;
    QString k, v;
    keyValueOf(r->lines[line], k, v);
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
    const ProfileCache::ReadingPtr r = readFile(file);
    const qsizetype line = keyLineOf(*r, section, key);
    if (line < 0) return defaultValue;
    QString k, v;
    keyValueOf(r->lines[line], k, v);
    return leadingInt(unquote(v), defaultValue);
}

bool writeString(const QString& file, const QString& section, const QString& key,
                 const QString& value) {
    // A line break would let the text add lines, keys or whole sections; a
    // section the reader would not find again would grow anew at every write.
    if (!isSectionName(section) || holdsLineBreak(key) || holdsLineBreak(value)) return false;
    const RawFile raw = readRaw(file);
    QStringList lines = raw.lines;
    QList<Origin> origin = unchanged(raw);
    const Location loc = locate(lines, section, key);
    const QString entry = key + QLatin1Char('=') + quoted(value);
    if (loc.sectionLine < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
        origin << Origin() << Origin();
    } else if (loc.keyLine >= 0) {
        // A line that already reads as the value stays as it is: one whose
        // bytes decode to nothing (U+FFFD) keeps them when a window saves
        // back what it read.
        QString k, v;
        keyValueOf(lines[loc.keyLine], k, v);
        if (unquote(v) != value) {
            lines[loc.keyLine] = entry;
            origin[loc.keyLine].sameText = false;
        }
    } else {
        lines.insert(loc.lastContent + 1, entry);
        origin.insert(loc.lastContent + 1, Origin());
    }
    return writeRaw(file, raw, origin, lines);
}

bool deleteKey(const QString& file, const QString& section, const QString& key) {
    const RawFile raw = readRaw(file);
    QStringList lines = raw.lines;
    QList<Origin> origin = unchanged(raw);
    const Location loc = locate(lines, section, key);
    if (loc.keyLine < 0) return raw.ok;
    lines.removeAt(loc.keyLine);
    origin.removeAt(loc.keyLine);
    return writeRaw(file, raw, origin, lines);
}

QStringList sectionNames(const QString& file) {
    QStringList names;
    QSet<QString> seen;
    for (const QString& line : readLines(file)) {
        if (auto s = sectionOf(line)) {
            if (!seen.contains(s->toCaseFolded())) {
                seen.insert(s->toCaseFolded());
                names << *s;
            }
        }
    }
    return names;
}

QStringList keyNames(const QString& file, const QString& section) {
    const QStringList lines = readLines(file);
    const Location loc = locate(lines, section, QString());
    QStringList keys;
    QSet<QString> seen;
    if (loc.sectionLine < 0) return keys;
    for (qsizetype i = loc.sectionLine + 1; i < loc.sectionEnd; ++i) {
        QString k, v;
        if (!keyValueOf(lines[i], k, v)) continue;
        if (seen.contains(k.toCaseFolded())) continue;
        seen.insert(k.toCaseFolded());
        keys << k;
    }
    return keys;
}

}  // namespace Profile
