#include "web/internet_http_source.h"

#include "platform/internet.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QWaitCondition>
#include <memory>
#include <utility>

namespace {

// What the transfer thread hands over; the calling thread takes it.
struct Handover {
    QMutex mutex;
    QWaitCondition changed;
    bool opened = false;
    QList<QByteArray> blocks;
    bool done = false;
    Internet::HttpResult result;
    std::atomic_bool cancelled{false};

    // Wakes the calling thread, whether it waits for window events or not.
    void notify() {
        changed.wakeAll();
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
    }
};

}  // namespace

bool InternetHttpSource::openSession(int connectTimeoutMs, int receiveTimeoutMs) {
    connectTimeoutMs_ = connectTimeoutMs;
    receiveTimeoutMs_ = receiveTimeoutMs;
    return true;
}

HttpSource::Result InternetHttpSource::get(const QString& address, const std::function<void()>& onOpened,
                                           const std::function<void(const QByteArray&)>& onBlock) {
    auto h = std::make_shared<Handover>();
    Internet::HttpGetOptions options;
    options.connectTimeoutMs = connectTimeoutMs_;
    options.receiveTimeoutMs = receiveTimeoutMs_;
    options.cancelled = &h->cancelled;
    options.opened = [h](int) {
        QMutexLocker lock(&h->mutex);
        h->opened = true;
        h->notify();
    };
    std::unique_ptr<QThread> transfer(QThread::create([h, address, options] {
        const Internet::HttpResult r = Internet::httpGet(address, [h](const QByteArray& block) {
            QMutexLocker lock(&h->mutex);
            h->blocks.append(block);
            h->notify();
            return true;
        }, {}, options);
        QMutexLocker lock(&h->mutex);
        h->result = r;
        h->done = true;
        h->notify();
    }));
    transfer->start();
    // Whatever way this call ends, the thread has ended before it returns.
    struct Join {
        QThread* thread;
        std::atomic_bool& cancelled;
        ~Join() {
            if (thread->isFinished()) return;
            cancelled = true;
            thread->wait();
        }
    } join{transfer.get(), h->cancelled};

    // Events are let run only between blocks, never while the lock is held,
    // so that the transfer thread never waits on the window.
    const bool withEvents = QCoreApplication::instance() && QThread::currentThread() == qApp->thread();
    bool openedTold = false;
    bool started = false;  // a block was handed over
    for (;;) {
        QMutexLocker lock(&h->mutex);
        const bool opened = h->opened;
        const QList<QByteArray> blocks = std::exchange(h->blocks, {});
        const bool done = h->done;
        if ((!opened || openedTold) && blocks.isEmpty() && !done) {
            if (withEvents) {
                lock.unlock();
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            } else {
                h->changed.wait(&h->mutex);
            }
            continue;
        }
        lock.unlock();
        started = started || !blocks.isEmpty();
        if (opened && !openedTold) {
            openedTold = true;
            onOpened();
        }
        for (const QByteArray& block : blocks) onBlock(block);
        if (done && blocks.isEmpty()) break;
    }
    transfer->wait();
    const Internet::HttpResult& r = h->result;
    if (!r.ok) return started ? Result::Broken : Result::NotOpened;
    // An error page is no descriptor and no archive: the download keeps
    // nothing of a transfer that does not end Complete.
    if (r.status >= 400) return Result::NotOpened;
    return Result::Complete;
}
