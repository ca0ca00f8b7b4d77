#include "platform/search_pairs.h"

#include <cstring>

namespace SearchPairs {

namespace {

inline int lengthAt(const unsigned char* p, qsizetype left) {
    if (p[0] < 0xC0) return 1;
    const int n = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : 2;
    if (n > left) return 1;
    for (int i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 1;
    return n;
}

// One character's spelling: up to 4 bytes packed in memory order, and how
// many of them there are.
struct Spelling {
    quint32 bytes = 0;
    int length = 0;
};

inline Spelling spell(const unsigned char* p, int length) {
    Spelling s;
    s.length = length;
    switch (length) {
    case 4: std::memcpy(&s.bytes, p, 4); return s;
    case 3: std::memcpy(&s.bytes, p, 3); return s;
    case 2: std::memcpy(&s.bytes, p, 2); return s;
    default: break;
    }
    char c[3] = {char(p[0]), 0, 0};
    if (p[0] < 0x80) {
        if (c[0] >= 'A' && c[0] <= 'Z') c[0] = char(c[0] - 'A' + 'a');
        if (!((c[0] >= 'a' && c[0] <= 'y') || (c[0] >= '0' && c[0] <= '9'))) {
            static const char hex[] = "0123456789abcdef";
            c[0] = 'z';
            c[1] = hex[(p[0] >> 4) & 0xF];
            c[2] = hex[p[0] & 0xF];
            s.length = 3;
        }
    }
    std::memcpy(&s.bytes, c, 3);
    return s;
}

// Writes 4 bytes (the buffer has room) and moves on by the spelling's length.
inline char* put(char* at, const Spelling& s) {
    std::memcpy(at, &s.bytes, 4);
    return at + s.length;
}

}  // namespace

int characterLength(const unsigned char* p, qsizetype left) { return lengthAt(p, left); }

QByteArray of(const QByteArray& utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.constData());
    const qsizetype size = utf8.size();
    QByteArray out;
    if (size < 2) return out;
    // A pair of at most 2 x 4 bytes and a space for each byte of the text,
    // and room for the last 4-byte write.
    out.resize(size * 9 + 8);
    char* const start = out.data();
    char* at = start;
    qsizetype i = lengthAt(p, size);
    Spelling previous = spell(p, int(i));
    while (i < size) {
        const int length = lengthAt(p + i, size - i);
        const Spelling current = spell(p + i, length);
        at = put(at, previous);
        at = put(at, current);
        *at++ = ' ';
        previous = current;
        i += length;
    }
    out.truncate(at - start - 1);
    return out;
}

}  // namespace SearchPairs
