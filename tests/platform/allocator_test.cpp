#include "platform/allocator.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The marks of the mapping that holds `p`, as /proc/self/smaps lists them.
QByteArray flagsOfMappingAt(const void* p) {
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly)) return {};
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    bool inside = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        const bool range = !line.isEmpty() && (std::isdigit(uchar(line[0])) || (line[0] >= 'a' && line[0] <= 'f'));
        if (range && dash > 0 && space > dash) {
            const std::uintptr_t from = line.left(dash).toULongLong(nullptr, 16);
            const std::uintptr_t to = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
            inside = from <= at && at < to;
        } else if (inside && line.startsWith("VmFlags:")) {
            return line.mid(8);
        }
    }
    return {};
}

// A first save's page, its bytes and the month's entries come from heap
// that is taken in huge pages, one fault for every 2 MB; the heap still
// hands out, keeps and frees blocks of every size as before.
TEST(Allocator, TheHeapGrowsIntoHugePages) {
    if (!QFileInfo::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled")))
        GTEST_SKIP() << "this system has no huge pages";
    Allocator::keepFreedMemoryForReuse();

    const size_t pageSize = 3 * 1024 * 1024;
    char* page = static_cast<char*>(std::malloc(pageSize));
    ASSERT_NE(page, nullptr);
    std::memset(page, 0x5a, pageSize);
    EXPECT_TRUE(flagsOfMappingAt(page + pageSize / 2).contains(" hg")) << flagsOfMappingAt(page + pageSize / 2).constData();

    // Blocks small and large, freed out of order and taken again.
    void* blocks[64];
    for (int i = 0; i < 64; ++i) {
        blocks[i] = std::malloc(size_t(16) << (i % 21));
        ASSERT_NE(blocks[i], nullptr);
        std::memset(blocks[i], i, size_t(16) << (i % 21));
    }
    for (int i = 0; i < 64; i += 2) std::free(blocks[i]);
    for (int i = 0; i < 64; i += 2) blocks[i] = std::realloc(std::malloc(24), size_t(32) << (i % 19));
    for (void* b : blocks) std::free(b);
    for (size_t i = 0; i < pageSize; i += 4096) ASSERT_EQ(page[i], 0x5a);
    std::free(page);
}

}  // namespace
