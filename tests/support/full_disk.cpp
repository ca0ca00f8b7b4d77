#include "tests/support/full_disk.h"

#include <csignal>
#include <sys/resource.h>

bool onFullDisk(const std::function<bool()>& work, long bytesAllowed) {
    rlimit before{};
    if (getrlimit(RLIMIT_FSIZE, &before) != 0) return false;
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    // The soft limit only: the hard one could not be raised back.
    const rlimit full{rlim_t(bytesAllowed), before.rlim_max};
    bool result = false;
    if (setrlimit(RLIMIT_FSIZE, &full) == 0) {
        try {
            result = work();
        } catch (...) {
            result = false;
        }
    }
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, oldHandler);
    return result;
}
