#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
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

}  // namespace

namespace Codepage {

QByteArray fromUnicode(const QString& text, Fallback fallback, bool* lossless) {
    if (lossless) *lossless = true;
    auto& c = converters();
    std::lock_guard guard(c.lock);
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
        const QByteArray replacement = fallback == Fallback::NumericReference
                                           ? "&#x" + QByteArray::number(uint(cp), 16).toUpper() + ";"
                                           : QByteArray("?");
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

QString toUnicode(const QByteArray& bytes, bool* valid) {
    if (valid) *valid = true;
    auto& c = converters();
    std::lock_guard guard(c.lock);
    QByteArray utf8(bytes.size() * 3 / 2 + 16, Qt::Uninitialized);
    iconv(c.fromCp932, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.constData());
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

bool hasByteOrderMark(const QByteArray& bytes) { return bytes.startsWith(kByteOrderMark); }

QByteArray encodeFile(const QString& text) {
    bool lossless = true;
    const QByteArray cp932 = fromUnicode(text, Fallback::Question, &lossless);
    if (lossless) return cp932;
    return QByteArray(kByteOrderMark) + text.toUtf8();
}

QString decodeFile(const QByteArray& bytes) {
    if (hasByteOrderMark(bytes)) return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return toUnicode(bytes);
}

}  // namespace Codepage
