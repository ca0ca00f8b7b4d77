#include "platform/profile_cache.h"

#include <QFile>
#include <QMutex>
#include <QSet>
#include <sys/stat.h>

namespace ProfileCache {

namespace {

struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    bool operator==(const Stamp& o) const {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

bool stampOf(const QString& file, Stamp& stamp) {
    struct stat st;
    if (::stat(QFile::encodeName(file).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    return true;
}

struct Kept {
    Stamp stamp;
    ReadingPtr reading;
};

// A program reads a handful of settings files; the bound only keeps a
// stray caller that reads many from holding them all.
constexpr qsizetype kMaxFiles = 64;

QMutex mutex;
QHash<QString, Kept>& kept() {
    static QHash<QString, Kept> files;
    return files;
}

// The current operation's files already looked at on this thread.
struct Looked {
    int depth = 0;
    QSet<QString> unchanged, missing;
};
thread_local Looked looked;

}  // namespace

ReadingPtr reading(const QString& file, const std::function<Reading(const QString&)>& read) {
    if (looked.depth > 0) {
        if (looked.missing.contains(file)) return std::make_shared<const Reading>();
        if (looked.unchanged.contains(file)) {
            QMutexLocker lock(&mutex);
            const auto it = kept().constFind(file);
            if (it != kept().cend()) return it->reading;
        }
    }
    Stamp before;
    if (!stampOf(file, before)) {
        forget(file);
        if (looked.depth > 0) looked.missing.insert(file);
        return std::make_shared<const Reading>(read(file));
    }
    {
        QMutexLocker lock(&mutex);
        const auto it = kept().constFind(file);
        if (it != kept().cend() && it->stamp == before) {
            if (looked.depth > 0) looked.unchanged.insert(file);
            return it->reading;
        }
    }
    const ReadingPtr made = std::make_shared<const Reading>(read(file));
    // Kept only when the file did not change while it was read.
    Stamp after;
    QMutexLocker lock(&mutex);
    if (stampOf(file, after) && after == before) {
        if (kept().size() >= kMaxFiles) kept().clear();
        kept().insert(file, {before, made});
        if (looked.depth > 0) looked.unchanged.insert(file);
    } else {
        kept().remove(file);
    }
    return made;
}

void forget(const QString& file) {
    looked.unchanged.remove(file);
    looked.missing.remove(file);
    QMutexLocker lock(&mutex);
    kept().remove(file);
}

Operation::Operation() { ++looked.depth; }

Operation::~Operation() {
    if (--looked.depth == 0) {
        looked.unchanged.clear();
        looked.missing.clear();
    }
}

}  // namespace ProfileCache
