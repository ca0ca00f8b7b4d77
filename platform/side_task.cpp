#include "platform/side_task.h"

#include <pthread.h>
#include <sched.h>
#include <system_error>
#include <utility>

namespace {

// The processors this process may use other than the caller's.
bool otherProcessors(cpu_set_t& others) {
    CPU_ZERO(&others);
    if (::sched_getaffinity(0, sizeof others, &others) != 0) return true;  // unknown: assume some
    const int here = ::sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE) CPU_CLR(here, &others);
    return CPU_COUNT(&others) > 0;
}

}  // namespace

SideTask::SideTask(std::function<void()> job) : job_(std::move(job)) {
    const auto run = [this] {
        try {
            job_();
        } catch (...) {
            error_ = std::current_exception();
        }
    };
    // With one processor a thread would only take turns with the caller.
    cpu_set_t others;
    if (!otherProcessors(others)) {
        run();
        return;
    }
    try {
        thread_ = std::thread(run);
    } catch (const std::system_error&) {
        run();
        return;
    }
    // A scheduler that packs threads onto few processors (as some virtual
    // machines do) queues a new thread behind its parent until the parent
    // blocks, which would leave the job to start only when the caller waits
    // for it; started on another processor, it runs beside the caller.
    if (CPU_COUNT(&others) > 0) ::pthread_setaffinity_np(thread_.native_handle(), sizeof others, &others);
}

SideTask::~SideTask() {
    if (thread_.joinable()) thread_.join();
}

void SideTask::wait() {
    if (thread_.joinable()) thread_.join();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}
