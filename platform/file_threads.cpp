#include "platform/file_threads.h"

#include "platform/background.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <sys/vfs.h>
#include <unistd.h>

namespace FileThreads {

namespace {

// Descriptors waiting for their close, at most: far below any limit a
// process runs under, and more than a save ever has in flight.
constexpr int kMaxWaitingCloses = 32;

// Threads that sync at once, the caller's among them. Measured on the syncs
// of a save (nine pages and their folder): three took about two thirds of
// the time of one after another, on two cores as on eight, and more did no
// better in a fresh process, where each thread's start is paid.
constexpr int kSyncThreads = 3;

// Plain atomics, which the end of the process leaves in place for a close
// still running on the pool.
std::atomic<int> waitingCloses{0};

struct Batch {
    const std::function<bool(int)>* task;
    int count;
    std::atomic<int> helpers;  // still to be started
    std::atomic<int> next{0};
    std::atomic<int> left;
    std::atomic<bool> ok{true};
    Batch(const std::function<bool(int)>* t, int n, int h) : task(t), count(n), helpers(h), left(n) {}
};

// Takes tasks until none is left. A helper started after the caller took
// the last one finds none and never touches the caller's task.
void work(const std::shared_ptr<Batch>& b) {
    for (int i; (i = b->next.fetch_add(1)) < b->count;) {
        if (!(*b->task)(i)) b->ok = false;
        if (b->left.fetch_sub(1) == 1) b->left.notify_all();
    }
}

// A helper starts the next one before it works, so that the caller pays for
// one start at most where the pool has to start threads.
void help(std::shared_ptr<Batch> b) {
    Background::diskWaits().start([b] {
        if (--b->helpers > 0 && b->next.load() < b->count) help(b);
        work(b);
    });
}

}  // namespace

void closeLater(int fd) {
    if (waitingCloses.fetch_add(1) >= kMaxWaitingCloses) {
        waitingCloses.fetch_sub(1);
        ::close(fd);
        return;
    }
    Background::diskWaits().start([fd] {
        ::close(fd);
        if (waitingCloses.fetch_sub(1) == 1) waitingCloses.notify_all();
    });
}

void waitUntilClosed() {
    for (int n; (n = waitingCloses.load()) != 0;) waitingCloses.wait(n);
}

bool runTogether(int count, const std::function<bool(int)>& task) {
    if (count <= 1) return count < 1 || task(0);
    const auto b = std::make_shared<Batch>(&task, count, std::min(count, kSyncThreads) - 1);
    help(b);
    // The caller works too: no task waits for a thread to start.
    work(b);
    for (int n; (n = b->left.load()) != 0;) b->left.wait(n);
    return b->ok;
}

bool freedOnLocalDisk(int fd) {
    struct statfs fs;
    if (::fstatfs(fd, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // XFS
    case 0x9123683E:  // Btrfs
    case 0xF2F52010:  // F2FS
    case 0x2FC12FC1:  // ZFS
    case 0x794C7630:  // overlay (a container's), over one of these
        return true;
    default:
        return false;
    }
}

}  // namespace FileThreads
