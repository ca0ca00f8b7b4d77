#include "tests/support/full_disk.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

bool onFullDisk(const std::function<bool()>& work, long bytesAllowed) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(bytesAllowed), rlim_t(bytesAllowed)};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool result = false;
        try {
            result = work();
        } catch (...) {
            result = false;
        }
        _exit(result ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
