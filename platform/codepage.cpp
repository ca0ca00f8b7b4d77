#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
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

// Converts one code point's UTF-8 bytes; false when CP932 cannot hold it.
bool convertOne(iconv_t cd, const QByteArray& utf8, QByteArray& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    if (iconv(cd, &in, &inLeft, &o, &oLeft) == size_t(-1)) return false;
    out.append(buffer, int(sizeof buffer - oLeft));
    return true;
}

}  // namespace

namespace Codepage {

QByteArray fromUnicode(const QString& text, Fallback fallback) {
    auto& c = converters();
    std::lock_guard guard(c.lock);
    QByteArray out;
    out.reserve(text.size() * 2);
    // Plain ASCII is the same in CP932; only the rest goes through iconv.
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = p[i].unicode();
        if (ch < 0x80) {
            out.append(char(ch));
            continue;
        }
        char32_t cp = ch;
        qsizetype len = 1;
        if (QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode())) {
            cp = QChar::surrogateToUcs4(ch, p[i + 1].unicode());
            len = 2;
        }
        const QByteArray utf8 = QString(p + i, len).toUtf8();
        if (!convertOne(c.toCp932, utf8, out)) {
            if (fallback == Fallback::NumericReference)
                out.append("&#x" + QByteArray::number(uint(cp), 16).toUpper() + ";");
            else
                out.append('?');
        }
        i += len - 1;
    }
    return out;
}

QString toUnicode(const QByteArray& bytes) {
    auto& c = converters();
    std::lock_guard guard(c.lock);
    QString out;
    out.reserve(bytes.size());
    const int n = int(bytes.size());
    for (int i = 0; i < n;) {
        const unsigned char b = uchar(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(b));
            ++i;
            continue;
        }
        // Lead bytes of double-byte characters; everything else is one byte
        // (half-width katakana 0xA1-0xDF).
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const int len = (lead && i + 1 < n) ? 2 : 1;
        QByteArray utf8;
        if (convertOne(c.fromCp932, bytes.mid(i, len), utf8)) {
            out.append(QString::fromUtf8(utf8));
            i += len;
        } else {
            out.append(QChar(0xFFFD));
            i += 1;
        }
    }
    return out;
}

}  // namespace Codepage
