#include "platform/allocator.h"

#include <malloc.h>

namespace Allocator {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // A search page that finds every entry of a long diary runs to some ten
    // megabytes of text and its bytes; blocks up to that size come from the
    // heap and stay there when freed, and the heap's top is given back only
    // past 64 MB.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TOP_PAD, 1024 * 1024);
#endif
}

}  // namespace Allocator
