#include "platform/allocator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>

namespace Allocator {

namespace {

constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
// Below the mapping threshold set here, so that it comes from the heap.
constexpr std::size_t kAdvised = 28 * 1024 * 1024;

std::uintptr_t roundUp(std::uintptr_t p) { return (p + kHugePage - 1) & ~(kHugePage - 1); }
std::uintptr_t roundDown(std::uintptr_t p) { return p & ~(kHugePage - 1); }

// The heap the process grows into next is marked for huge pages. The first
// touch of each 2 MB of it then costs one fault instead of 512; on a virtual
// machine a fault can take ten microseconds, and a first save or search
// touches some megabytes of new memory.
void adviseHugePages() {
    char* const block = static_cast<char*>(std::malloc(kAdvised + kHugePage));
    if (!block) return;
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t start = roundUp(at);
    const std::uintptr_t end = roundDown(at + kAdvised + kHugePage);
    const bool advised = madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) == 0;
    std::free(block);
    if (!advised) return;
    // The heap's next blocks would start below the first whole huge page,
    // where pages come one fault at a time: that stretch is taken once and
    // never touched, so it costs address space only.
    const std::size_t below = start - at;
    if (below <= 4 * sizeof(std::size_t)) return;
    void* const skipped = std::malloc(below - 2 * sizeof(std::size_t));
    if (skipped != block) std::free(skipped);
}

}  // namespace

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // A search page that finds every entry of a long diary runs to some ten
    // megabytes of text and its bytes; blocks up to that size come from the
    // heap and stay there when freed, and the heap's top is given back only
    // past 64 MB.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TOP_PAD, 1024 * 1024);
    adviseHugePages();
#endif
}

}  // namespace Allocator
