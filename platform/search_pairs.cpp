#include "platform/search_pairs.h"

namespace SearchPairs {

namespace {

void spell(QByteArray& out, const unsigned char* p, int length) {
    if (length > 1 || p[0] >= 0x80) {
        out.append(reinterpret_cast<const char*>(p), length);
        return;
    }
    char c = char(p[0]);
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'y') || (c >= '0' && c <= '9')) {
        out.append(c);
        return;
    }
    static const char hex[] = "0123456789abcdef";
    out.append('z');
    out.append(hex[(p[0] >> 4) & 0xF]);
    out.append(hex[p[0] & 0xF]);
}

}  // namespace

int characterLength(const unsigned char* p, qsizetype left) {
    int n = 1;
    if (p[0] >= 0xF0) n = 4;
    else if (p[0] >= 0xE0) n = 3;
    else if (p[0] >= 0xC0) n = 2;
    if (n > left) return 1;
    for (int i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 1;
    return n;
}

QByteArray of(const QByteArray& utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.constData());
    const qsizetype size = utf8.size();
    QByteArray out;
    if (size < 2) return out;
    out.reserve(size * 3);
    qsizetype first = 0;
    int firstLength = characterLength(p, size);
    while (first + firstLength < size) {
        const qsizetype second = first + firstLength;
        const int secondLength = characterLength(p + second, size - second);
        if (!out.isEmpty()) out.append(' ');
        spell(out, p + first, firstLength);
        spell(out, p + second, secondLength);
        first = second;
        firstLength = secondLength;
    }
    return out;
}

}  // namespace SearchPairs
