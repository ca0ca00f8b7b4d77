#include "platform/unchanged_files.h"

#include "platform/files.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <ctime>
#include <linux/magic.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace UnchangedFiles {

namespace {

struct Seen {
    dev_t device;
    ino_t inode;
    off_t size;
    struct timespec changed;
};

Seen seen(const struct stat& st) { return {st.st_dev, st.st_ino, st.st_size, st.st_ctim}; }

bool operator==(const Seen& x, const Seen& y) {
    return x.device == y.device && x.inode == y.inode && x.size == y.size &&
           x.changed.tv_sec == y.changed.tv_sec && x.changed.tv_nsec == y.changed.tv_nsec;
}

bool before(const struct timespec& t, const struct timespec& limit) {
    return t.tv_sec < limit.tv_sec || (t.tv_sec == limit.tv_sec && t.tv_nsec < limit.tv_nsec);
}

struct Pair {
    Seen a, b;
};

std::mutex guard;
QHash<QByteArray, Pair> equalPairs;
QHash<dev_t, bool> localClockDevices;

// A network file system stamps with the server's clock and coarse ones
// (FAT, exFAT) in steps of up to two seconds: there two changes can leave
// the same change time, so nothing is remembered of files on them.
bool stampsWithThisClock(const QByteArray& path, dev_t device) {
    {
        std::lock_guard<std::mutex> lock(guard);
        const auto it = localClockDevices.constFind(device);
        if (it != localClockDevices.constEnd()) return *it;
    }
    struct statfs fs;
    bool local = false;
    if (::statfs(path.constData(), &fs) == 0) {
        switch (static_cast<unsigned long>(fs.f_type)) {
        case EXT4_SUPER_MAGIC:  // also ext2 and ext3
        case XFS_SUPER_MAGIC:
        case BTRFS_SUPER_MAGIC:
        case TMPFS_MAGIC:
        case F2FS_SUPER_MAGIC:
        case OVERLAYFS_SUPER_MAGIC:
            local = true;
            break;
        default:
            break;
        }
    }
    std::lock_guard<std::mutex> lock(guard);
    localClockDevices.insert(device, local);
    return local;
}

}  // namespace

bool sameBytes(const QString& a, const QString& b) {
    // The file system stamps changes from the coarse clock (or finer, never
    // earlier): a change after this moment gets a change time from here on.
    struct timespec began;
    ::clock_gettime(CLOCK_REALTIME_COARSE, &began);
    const QByteArray pathA = QFile::encodeName(a), pathB = QFile::encodeName(b);
    QByteArray key = pathA;
    key.append('\0').append(pathB);
    struct stat sa, sb;
    if (::stat(pathA.constData(), &sa) != 0 || ::stat(pathB.constData(), &sb) != 0 || !S_ISREG(sa.st_mode) ||
        !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) {
        std::lock_guard<std::mutex> lock(guard);
        equalPairs.remove(key);
        return false;
    }
    const Pair now{seen(sa), seen(sb)};
    {
        std::lock_guard<std::mutex> lock(guard);
        const auto it = equalPairs.constFind(key);
        if (it != equalPairs.constEnd() && it->a == now.a && it->b == now.b) return true;
    }
    const bool same = Files::sameBytes(a, b);
    const bool lasting = same && before(sa.st_ctim, began) && before(sb.st_ctim, began) &&
                         stampsWithThisClock(pathA, sa.st_dev) && stampsWithThisClock(pathB, sb.st_dev);
    std::lock_guard<std::mutex> lock(guard);
    if (lasting)
        equalPairs.insert(key, now);
    else
        equalPairs.remove(key);
    return same;
}

}  // namespace UnchangedFiles
