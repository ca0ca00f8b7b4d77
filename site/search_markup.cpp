#include "site/search_markup.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace SearchMarkup {

// The first and the last byte of what is sought compared at sixteen places
// at once: the bytes of Japanese text repeat too often for a search that
// looks at one of them at a time.
qsizetype find(QByteArrayView text, QByteArrayView what, qsizetype from) {
    const char* h = text.data();
    const char* k = what.data();
    const qsizetype n = text.size(), m = what.size();
    if (from < 0 || m == 0 || from + m > n) return m == 0 && from <= n ? from : -1;
    if (m == 1) {
        const void* at = std::memchr(h + from, k[0], size_t(n - from));
        return at ? static_cast<const char*>(at) - h : -1;
    }
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(k[0]), last = _mm_set1_epi8(k[m - 1]);
    for (; i + m - 1 + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        for (; mask != 0; mask &= mask - 1) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (std::memcmp(h + at + 1, k + 1, size_t(m - 2)) == 0) return at;
        }
    }
#endif
    for (; i + m <= n; ++i)
        if (h[i] == k[0] && std::memcmp(h + i, k, size_t(m)) == 0) return i;
    return -1;
}
}  // namespace SearchMarkup
