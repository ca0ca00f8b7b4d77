#include "platform/side_task.h"

#include <sched.h>
#include <utility>

SideTask::SideTask(std::function<void()> job) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    // With one processor another thread would only take turns with the caller.
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) < 2) {
        try {
            job();
        } catch (...) {
            error_ = std::current_exception();
        }
        return;
    }
    work_.emplace(std::move(job));
}

void SideTask::wait() {
    if (work_) work_->get();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}
