#include "platform/profile_cache.h"

#include <QFile>
#include <QHash>
#include <QMutex>
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
    QStringList lines;
};

// A program reads a handful of settings files; the bound only keeps a
// stray caller that reads many from holding them all.
constexpr qsizetype kMaxFiles = 64;

QMutex mutex;
QHash<QString, Kept>& kept() {
    static QHash<QString, Kept> files;
    return files;
}

}  // namespace

QStringList lines(const QString& file, const std::function<QStringList(const QString&)>& read) {
    Stamp before;
    if (!stampOf(file, before)) {
        forget(file);
        return read(file);
    }
    {
        QMutexLocker lock(&mutex);
        const auto it = kept().constFind(file);
        if (it != kept().cend() && it->stamp == before) return it->lines;
    }
    const QStringList read_ = read(file);
    // Kept only when the file did not change while it was read.
    Stamp after;
    QMutexLocker lock(&mutex);
    if (stampOf(file, after) && after == before) {
        if (kept().size() >= kMaxFiles) kept().clear();
        kept().insert(file, {before, read_});
    } else {
        kept().remove(file);
    }
    return read_;
}

void forget(const QString& file) {
    QMutexLocker lock(&mutex);
    kept().remove(file);
}

}  // namespace ProfileCache
