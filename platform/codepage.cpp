#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

// iconv descriptors are not thread-safe; one pair guarded by a mutex is plenty
// for a program whose conversions all run on one thread.
struct Converters {
    iconv_t toCp932 = iconv_open("CP932", "UTF-8");
    iconv_t fromCp932 = iconv_open("UTF-8", "CP932");
    std::mutex lock;
    ~Converters() {
        if (toCp932 != iconv_t(-1)) iconv_close(toCp932);
        if (fromCp932 != iconv_t(-1)) iconv_close(fromCp932);
    }
};

Converters& converters() {
    static Converters c;
    return c;
}

// What stands in the bytes for a character that CP932 lacks.
QByteArray fallbackFor(char32_t cp, Codepage::Fallback fallback) {
    return fallback == Codepage::Fallback::NumericReference ? "&#x" + QByteArray::number(uint(cp), 16).toUpper() + ";"
                                                            : QByteArray("?");
}

// Whole texts through iconv; the caller holds the converters' lock.
QByteArray iconvFromUnicode(QStringView text, Codepage::Fallback fallback, bool* lossless) {
    auto& c = converters();
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() + 16, Qt::Uninitialized);
    iconv(c.toCp932, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    size_t written = 0;
    // One pass over the whole text; only a character CP932 lacks stops it,
    // and is replaced before the pass goes on.
    while (inLeft > 0) {
        char* o = out.data() + written;
        size_t oLeft = size_t(out.size()) - written;
        const size_t rc = iconv(c.toCp932, &in, &inLeft, &o, &oLeft);
        written = size_t(out.size()) - oLeft;
        if (rc != size_t(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ (or a cut sequence): take the offending code point whole.
        if (lossless) *lossless = false;
        const unsigned char lead = uchar(*in);
        size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        len = qMin(len, inLeft);
        const QString ch = QString::fromUtf8(in, qsizetype(len));
        const char32_t cp = ch.isEmpty() ? U'?' : ch.toUcs4().value(0, U'?');
        const QByteArray replacement = fallbackFor(cp, fallback);
        if (size_t(out.size()) - written < size_t(replacement.size()))
            out.resize(out.size() * 2 + replacement.size());
        memcpy(out.data() + written, replacement.constData(), size_t(replacement.size()));
        written += size_t(replacement.size());
        in += len;
        inLeft -= len;
        iconv(c.toCp932, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(qsizetype(written));
    return out;
}

QString iconvToUnicode(QByteArrayView bytes, bool* valid) {
    auto& c = converters();
    QByteArray utf8(bytes.size() * 3 / 2 + 16, Qt::Uninitialized);
    iconv(c.fromCp932, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    size_t written = 0;
    static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
    while (inLeft > 0) {
        char* o = utf8.data() + written;
        size_t oLeft = size_t(utf8.size()) - written;
        const size_t rc = iconv(c.fromCp932, &in, &inLeft, &o, &oLeft);
        written = size_t(utf8.size()) - oLeft;
        if (rc != size_t(-1)) break;
        if (errno == E2BIG || oLeft < 3) {
            utf8.resize(utf8.size() * 2 + 16);
            continue;
        }
        // A byte that starts no valid character is marked, never dropped.
        if (valid) *valid = false;
        memcpy(utf8.data() + written, kReplacement, 3);
        written += 3;
        ++in;
        --inLeft;
        iconv(c.fromCp932, nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(utf8.constData(), qsizetype(written));
}

// Pages of a diary run to megabytes, and iconv costs a call and a UTF-8 copy
// per text. CP932 is stateless, so what iconv makes of one character is what
// it makes of it anywhere: the build asks glibc's converter about every
// character and byte pair once (cp932_tables_gen), and the tables are laid
// out from its answers, which keeps glibc's table the only authority.
//   kNone CP932 has nothing for it; kOdd an answer the table cannot hold,
//   left to iconv; else (length << 16) | bytes or code, with kOneWay added
//   for bytes that read back as another character.
constexpr quint32 kNone = 0, kOdd = 2, kLead = 3;
constexpr quint32 kOneWay = 1u << 24;

struct Cp932Encoding {
    char16_t character;
    quint16 bytes;
    quint8 length;  // 0: more than two bytes
    bool oneWay;
};
struct Cp932Reading {
    quint8 kind;  // 0 nothing, 1 a character, 2 leads a pair, 3 odd
    char16_t character;
};
struct Cp932PairReading {
    quint16 bytes;
    quint8 kind;
    char16_t character;
};
#include "cp932_tables.inc"

struct Tables {
    quint32 encode[0x10000];  // by UTF-16 code unit, surrogates excluded
    quint32 single[0x100];    // by byte: a character, kNone, kOdd or kLead
    quint32 pair[0x10000];    // by lead << 8 | trail
    // Every ASCII character is written as its own byte and read back as
    // itself, so runs of them are copied without a lookup.
    bool asciiIsItself;
};

// Laid out while the program is compiled, into data that the process maps
// from its file as it is read: laid out at the first conversion, they were
// written into some hundred pages of fresh memory, a fault each.
constexpr Tables layOut() {
    Tables t{};
    for (const Cp932Encoding& e : kEncodings) {
        t.encode[e.character] = e.length == 0 ? kOdd : (e.oneWay ? kOneWay : 0) | (quint32(e.length) << 16) | e.bytes;
    }
    auto value = [](quint8 kind, char16_t character, quint32 length) {
        return kind == 1 ? (length << 16) | character : kind == 2 ? kLead : kind == 3 ? kOdd : kNone;
    };
    for (int b = 0; b < 0x100; ++b) t.single[b] = value(kSingleBytes[b].kind, kSingleBytes[b].character, 1);
    for (const Cp932PairReading& p : kPairs) t.pair[p.bytes] = value(p.kind, p.character, 2);
    t.asciiIsItself = true;
    for (char16_t c = 0; c < 0x80; ++c)
        t.asciiIsItself = t.asciiIsItself && t.encode[c] == ((1u << 16) | c) && t.single[c] == ((1u << 16) | c);
    return t;
}

constexpr Tables kTables = layOut();

const Tables& tables() { return kTables; }

}  // namespace

namespace Codepage {

namespace {

// Appends the bytes of text to out.
template <bool crLf>
void encode(QByteArray& out, const QString& text, Codepage::Fallback fallback, bool* lossless) {
    if (lossless) *lossless = true;
    const Tables& t = tables();
    const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    // Two bytes a character at most (a line end too); only a fallback text
    // needs more, and makes room for the rest after itself.
    qsizetype written = out.size();
    out.resize(written + n * 2 + 16);
    char* o = out.data();
    auto put = [&](const QByteArray& bytes, qsizetype next) {
        const qsizetype need = written + bytes.size() + (n - next) * 2 + 16;
        if (need > out.size()) {
            out.resize(need * 2);
            o = out.data();
        }
        memcpy(o + written, bytes.constData(), size_t(bytes.size()));
        written += bytes.size();
    };
    for (qsizetype i = 0; i < n;) {
        // The markup of a page is mostly ASCII and its text mostly characters
        // of two bytes: runs of either go across without the cases below.
        if (t.asciiIsItself) {
            for (; i < n && s[i] < 0x80; ++i) {
                if (crLf && (s[i] == u'\r' || s[i] == u'\n')) break;
                o[written++] = char(s[i]);
            }
        }
        for (; i < n && s[i] >= 0x80 && !QChar::isSurrogate(s[i]); ++i) {
            const quint32 e = t.encode[s[i]];
            if ((e >> 16) != 2) break;
            o[written++] = char((e >> 8) & 0xFF);
            o[written++] = char(e & 0xFF);
        }
        if (i == n) break;
        const char16_t ch = s[i];
        if (crLf && (ch == u'\r' || ch == u'\n')) {
            o[written++] = '\r';
            o[written++] = '\n';
            i += ch == u'\r' && i + 1 < n && s[i + 1] == u'\n' ? 2 : 1;
            continue;
        }
        const quint32 e = QChar::isSurrogate(ch) ? kOdd : t.encode[ch];
        if ((e >> 16) == 1) {
            o[written++] = char(e & 0xFF);
        } else if ((e >> 16) == 2) {
            o[written++] = char((e >> 8) & 0xFF);
            o[written++] = char(e & 0xFF);
        } else if (e == kNone) {
            if (lossless) *lossless = false;
            put(fallbackFor(ch, fallback), i + 1);
        } else if (e & kOneWay) {
            if (lossless) *lossless = false;
            if (fallback == Codepage::Fallback::NumericReference) {
                put(fallbackFor(ch, fallback), i + 1);
            } else {
                if ((e >> 16 & 0xFF) == 2) o[written++] = char((e >> 8) & 0xFF);
                o[written++] = char(e & 0xFF);
            }
        } else {
            // Nothing beyond the BMP is in CP932; iconv decides what a pair or
            // a lone half becomes, as it does within a whole text.
            const qsizetype len =
                QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(s[i + 1]) ? 2 : 1;
            bool held = true;
            QByteArray bytes;
            {
                std::lock_guard guard(converters().lock);
                bytes = iconvFromUnicode(QStringView(text).mid(i, len), fallback, &held);
            }
            put(bytes, i + len);
            if (!held && lossless) *lossless = false;
            i += len - 1;
        }
        ++i;
    }
    out.truncate(written);
}

}  // namespace

QByteArray fromUnicode(const QString& text, Fallback fallback, bool* lossless) {
    QByteArray out;
    encode<false>(out, text, fallback, lossless);
    return out;
}

QByteArray fromUnicodeCrLf(const QString& text, Fallback fallback, bool* lossless) {
    QByteArray out;
    encode<true>(out, text, fallback, lossless);
    return out;
}

void appendCrLf(QByteArray& out, const QString& text, Fallback fallback) { encode<true>(out, text, fallback, nullptr); }

bool appendUtf8CrLf(QByteArray& out, QByteArrayView utf8, Fallback fallback) {
    const Tables& t = tables();
    const auto* p = reinterpret_cast<const uchar*>(utf8.data());
    const uchar* const end = p + utf8.size();
    const qsizetype start = out.size();
    // Two bytes for each byte at most: a lone line end grows to two, every
    // other character shrinks or keeps its length; a fallback text makes
    // room for itself.
    out.resize(start + utf8.size() * 2 + 16);
    char* o = out.data();
    qsizetype written = start;
    // A character the tables do not give one or two bytes for goes through
    // the conversion of whole texts: CP932 is stateless, so it becomes there
    // what it becomes within its text.
    auto throughText = [&](const char16_t* units, qsizetype count) {
        out.truncate(written);
        // Not fromUtf16, which takes a leading U+FEFF or U+FFFE for a mark.
        encode<true>(out, QString(reinterpret_cast<const QChar*>(units), count), fallback, nullptr);
        written = out.size();
        out.resize(written + (end - p) * 2 + 16);
        o = out.data();
    };
    while (p < end) {
        // Runs of ASCII without a line end, eight bytes at a time, and of
        // characters of three bytes with two in CP932 (the text of a
        // Japanese page) go across without the cases below.
        if (t.asciiIsItself) {
            constexpr quint64 kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
            auto hasByte = [](quint64 w, uchar b) {
                const quint64 x = w ^ (kOnes * b);
                return ((x - kOnes) & ~x & kHigh) != 0;
            };
            while (end - p >= 8) {
                quint64 w;
                std::memcpy(&w, p, 8);
                if ((w & kHigh) != 0 || hasByte(w, '\r') || hasByte(w, '\n')) break;
                std::memcpy(o + written, &w, 8);
                written += 8;
                p += 8;
            }
        }
        while (end - p >= 3 && p[0] >= 0xE1 && p[0] != 0xED && p[0] < 0xF0 && (p[1] & 0xC0) == 0x80 &&
               (p[2] & 0xC0) == 0x80) {
            const quint32 e = t.encode[char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F)];
            if ((e >> 16) != 2) break;
            o[written++] = char((e >> 8) & 0xFF);
            o[written++] = char(e & 0xFF);
            p += 3;
        }
        if (p == end) break;
        const uchar c = *p;
        if (c == '\r' || c == '\n') {
            o[written++] = '\r';
            o[written++] = '\n';
            p += c == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
            continue;
        }
        if (c < 0x80 && t.asciiIsItself) {
            o[written++] = char(c);
            ++p;
            continue;
        }
        // Well-formed sequences only (no overlong form, no surrogate, nothing
        // past U+10FFFF), as any decoder reads them alike.
        char32_t cp;
        int length;
        auto follows = [&](int i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
        if (c < 0x80) {
            cp = c;
            length = 1;
        } else if (c >= 0xC2 && c < 0xE0 && follows(1)) {
            cp = char32_t(c & 0x1F) << 6 | (p[1] & 0x3F);
            length = 2;
        } else if (c >= 0xE0 && c < 0xF0 && follows(1) && follows(2) && (c != 0xE0 || p[1] >= 0xA0) &&
                   (c != 0xED || p[1] < 0xA0)) {
            cp = char32_t(c & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
            length = 3;
        } else if (c >= 0xF0 && c <= 0xF4 && follows(1) && follows(2) && follows(3) && (c != 0xF0 || p[1] >= 0x90) &&
                   (c != 0xF4 || p[1] < 0x90)) {
            cp = char32_t(c & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
            length = 4;
        } else {
            out.truncate(start);
            return false;
        }
        p += length;
        if (cp >= 0x10000) {
            const char16_t pair[2] = {char16_t(0xD800 + ((cp - 0x10000) >> 10)), char16_t(0xDC00 + (cp & 0x3FF))};
            throughText(pair, 2);
            continue;
        }
        const quint32 e = t.encode[cp];
        if ((e >> 16) == 2) {
            o[written++] = char((e >> 8) & 0xFF);
            o[written++] = char(e & 0xFF);
        } else if ((e >> 16) == 1) {
            o[written++] = char(e & 0xFF);
        } else {
            const char16_t unit = char16_t(cp);
            throughText(&unit, 1);
        }
    }
    out.truncate(written);
    return true;
}

QString toUnicode(const QByteArray& bytes, bool* valid) {
    if (valid) *valid = true;
    const Tables& t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    qsizetype written = 0;
    const char* b = bytes.constData();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar lead = uchar(b[i]);
        quint32 e = t.single[lead];
        if (e == kLead && i + 1 < n) e = t.pair[(uint(lead) << 8) | uchar(b[i + 1])];
        if (e == kOdd) {
            std::lock_guard guard(converters().lock);
            return iconvToUnicode(QByteArrayView(bytes), valid);
        }
        if (e == kNone || e == kLead) {
            // A byte that starts no valid character is marked, never dropped.
            if (valid) *valid = false;
            o[written++] = u'\xFFFD';
            ++i;
            continue;
        }
        o[written++] = char16_t(e & 0xFFFF);
        i += qsizetype(e >> 16);
    }
    out.truncate(written);
    return out;
}

bool hasByteOrderMark(const QByteArray& bytes) { return bytes.startsWith(kByteOrderMark); }

bool holdsExactly(const QString& text) {
    bool lossless = true;
    fromUnicode(text, Fallback::Question, &lossless);
    return lossless;
}

QString charactersNotHeld(const QString& text) {
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString ch = text.mid(i, length);
        if (!holdsExactly(ch) && !found.contains(ch)) found += ch;
        i += length - 1;
    }
    return found;
}

QByteArray encodeFile(const QString& text) {
    bool lossless = true;
    const QByteArray cp932 = fromUnicode(text, Fallback::Question, &lossless);
    if (lossless) return cp932;
    return QByteArray(kByteOrderMark) + text.toUtf8();
}

QString decodeFile(const QByteArray& bytes) {
    if (hasByteOrderMark(bytes)) return utf8Text(QByteArrayView(bytes).sliced(3));
    if (const Utf16 order = utf16MarkOf(bytes); order != Utf16::None)
        return utf16Text(QByteArrayView(bytes).sliced(2), order);
    return toUnicode(bytes);
}

Utf16 utf16MarkOf(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) return Utf16::LittleEndian;
    if (bytes.startsWith("\xFE\xFF")) return Utf16::BigEndian;
    return Utf16::None;
}

QString utf16Text(QByteArrayView bytes, Utf16 order, bool* valid) {
    const bool big = order == Utf16::BigEndian;
    const qsizetype units = bytes.size() / 2;
    QString text(units + bytes.size() % 2, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    bool whole = bytes.size() % 2 == 0;
    for (qsizetype i = 0; i < units; ++i)
        out[i] = big ? char16_t(p[2 * i] << 8 | p[2 * i + 1]) : char16_t(p[2 * i + 1] << 8 | p[2 * i]);
    for (qsizetype i = 0; i < units; ++i) {
        if (!QChar::isSurrogate(out[i])) continue;
        if (QChar::isHighSurrogate(out[i]) && i + 1 < units && QChar::isLowSurrogate(out[i + 1])) {
            ++i;
            continue;
        }
        out[i] = u'\xFFFD';
        whole = false;
    }
    if (bytes.size() % 2) out[units] = u'\xFFFD';
    if (valid) *valid = whole;
    return text;
}

QByteArray utf16Bytes(QStringView text, Utf16 order) {
    const bool big = order == Utf16::BigEndian;
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        bytes[2 * i] = char(big ? u >> 8 : u & 0xFF);
        bytes[2 * i + 1] = char(big ? u & 0xFF : u >> 8);
    }
    return bytes;
}

QString utf8Text(QByteArrayView bytes) {
    // QString::fromUtf8 drops a leading mark; it is part of the text here.
    const QString text = QString::fromUtf8(bytes);
    return bytes.startsWith(kByteOrderMark) ? QChar(0xFEFF) + text : text;
}

}  // namespace Codepage
