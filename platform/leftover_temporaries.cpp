#include "platform/leftover_temporaries.h"

#include "platform/files.h"

#include <QByteArray>
#include <QFile>
#include <QSet>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>

namespace LeftoverTemporaries {

void removeOnce(const QString& folder) {
    struct statx st;
    const bool known = ::statx(AT_FDCWD, QFile::encodeName(folder).constData(), 0, STATX_INO | STATX_BTIME, &st) == 0 &&
                       (st.stx_mask & STATX_BTIME);
    if (!known) return Files::removeLeftoverTemporaries(folder);
    const QByteArray identity = QByteArray::number(st.stx_dev_major) + ':' + QByteArray::number(st.stx_dev_minor) + ':' +
                                QByteArray::number(quint64(st.stx_ino)) + ':' +
                                QByteArray::number(qint64(st.stx_btime.tv_sec)) + '.' +
                                QByteArray::number(st.stx_btime.tv_nsec);
    static std::mutex guard;
    static QSet<QByteArray> cleared;
    {
        std::lock_guard<std::mutex> lock(guard);
        if (cleared.contains(identity)) return;
    }
    Files::removeLeftoverTemporaries(folder);
    std::lock_guard<std::mutex> lock(guard);
    cleared.insert(identity);
}

}  // namespace LeftoverTemporaries
