#pragma once
// Changes to a file that leave its name, size and modification date as they
// were, as a careless tool might, and a wait until a change made now is
// stamped later than one made before.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QThread>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

// Writes bytes over the start of the file in place (the same file, not a
// new one) and sets its modification date back.
inline bool overwriteKeepingDate(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before;
    if (::stat(name.constData(), &before) != 0) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || f.write(bytes) != bytes.size()) return false;
    f.close();
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    return ::utimensat(AT_FDCWD, name.constData(), times, 0) == 0;
}

// Waits (a few milliseconds) until the clock the file system stamps changes
// with has passed the file's last change.
inline bool waitForTheClockPast(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    for (int i = 0; i < 200; ++i) {
        struct timespec now;
        ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
        if (now.tv_sec > st.st_ctim.tv_sec || (now.tv_sec == st.st_ctim.tv_sec && now.tv_nsec > st.st_ctim.tv_nsec))
            return true;
        QThread::msleep(1);
    }
    return false;
}
