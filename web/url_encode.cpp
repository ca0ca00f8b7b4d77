#include "web/url_encode.h"

#include "platform/codepage.h"

namespace {

bool isSafe(unsigned b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '@' || b == '*' ||
           b == '-' || b == '.' || b == '_';
}

void appendEscape(QString& out, unsigned b) {
    static const char hex[] = "0123456789ABCDEF";
    out += QLatin1Char('%');
    out += QLatin1Char(hex[(b >> 4) & 0xF]);
    out += QLatin1Char(hex[b & 0xF]);
}

// A byte outside any multi-byte rule: "+" for a space, itself when safe,
// else its escape.
void appendSingle(QString& out, unsigned b) {
    if (b == 0x20)
        out += QLatin1Char('+');
    else if (isSafe(b))
        out += QLatin1Char(char(b));
    else
        appendEscape(out, b);
}

}  // namespace

namespace ModURLEncode {

QString URLEncode(const QString& text) {
    const QByteArray bytes = Codepage::fromUnicode(text);
    QString out;
    out.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned b = quint8(bytes[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF)) {
            appendEscape(out, b);
            if (i + 1 < bytes.size()) appendEscape(out, quint8(bytes[++i]));
        } else {
            appendSingle(out, b);
        }
    }
    return out;
}

}  // namespace ModURLEncode

namespace ModURLEncodeEUC {

QString URLEncodeEUC(const QString& text) {
    const QByteArray bytes = Codepage::fromUnicode(text);
    QString out;
    out.reserve(bytes.size() * 6);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned b = quint8(bytes[i]);
        if (b == 0x20 || isSafe(b)) {
            appendSingle(out, b);
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF) {
            out += QLatin1String("%8E");
            appendEscape(out, b);
            continue;
        }
        // 0xF0-0xFC would give a first byte above 0xFE, which EUC-JP lacks.
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
        if (lead && i + 1 < bytes.size()) {
            const unsigned t = quint8(bytes[i + 1]);
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
                unsigned first, second;
                if (t >= 0x9F) {
                    first = b < 0xE0 ? 2 * b - 0x60 : 2 * b - 0xE0;
                    second = t + 2;
                } else {
                    first = b < 0xE0 ? 2 * b - 0x61 : 2 * b - 0xE1;
                    second = t < 0x7F ? t + 0x61 : t + 0x60;
                }
                appendEscape(out, first);
                appendEscape(out, second);
                ++i;
                continue;
            }
        }
        appendEscape(out, b);
    }
    return out;
}

}  // namespace ModURLEncodeEUC

namespace ModURLEncodeUTF8 {

QString URLEncodeUTF8(const QString& text) {
    QString out;
    out.reserve(text.size() * 9);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t u = text[i].unicode();
        if (u < 0x80) {
            appendSingle(out, u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            u = QChar::surrogateToUcs4(char16_t(u), text[++i].unicode());
            appendEscape(out, 0xF0 + (u >> 18));
            appendEscape(out, 0x80 + ((u >> 12) & 0x3F));
            appendEscape(out, 0x80 + ((u >> 6) & 0x3F));
            appendEscape(out, 0x80 + (u & 0x3F));
        } else if (u < 0x800) {
            appendEscape(out, 0xC0 + (u >> 6));
            appendEscape(out, 0x80 + (u & 0x3F));
        } else {
            appendEscape(out, 0xE0 + (u >> 12));
            appendEscape(out, 0x80 + ((u >> 6) & 0x3F));
            appendEscape(out, 0x80 + (u & 0x3F));
        }
    }
    return out;
}

}  // namespace ModURLEncodeUTF8
