#include "platform/side_task.h"

#include <utility>

SideTask::SideTask(std::function<void()> job) : job_(std::move(job)) {
    CPU_ZERO(&allowed_);
    const bool known = ::sched_getaffinity(0, sizeof allowed_, &allowed_) == 0;
    cpu_set_t others = allowed_;
    const int here = ::sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE) CPU_CLR(here, &others);
    // With one processor a thread would only take turns with the caller.
    if (known && CPU_COUNT(&others) == 0) {
        run();
        return;
    }
    pthread_attr_t attributes;
    if (::pthread_attr_init(&attributes) != 0) {
        run();
        return;
    }
    // A scheduler that packs threads onto few processors (as some virtual
    // machines do) queues a new thread behind its parent until the parent
    // blocks, which would leave the job to start only when the caller waits
    // for it: it starts on another processor, then may go to any.
    if (known) ::pthread_attr_setaffinity_np(&attributes, sizeof others, &others);
    const auto start = [](void* task) -> void* {
        auto* self = static_cast<SideTask*>(task);
        if (CPU_COUNT(&self->allowed_) > 0) ::pthread_setaffinity_np(::pthread_self(), sizeof self->allowed_, &self->allowed_);
        self->run();
        return nullptr;
    };
    started_ = ::pthread_create(&thread_, &attributes, start, this) == 0;
    ::pthread_attr_destroy(&attributes);
    if (!started_) run();
}

SideTask::~SideTask() { join(); }

void SideTask::run() {
    try {
        job_();
    } catch (...) {
        error_ = std::current_exception();
    }
    done_ = true;
}

void SideTask::join() {
    if (!started_) return;
    ::pthread_join(thread_, nullptr);
    started_ = false;
}

void SideTask::wait() {
    // The caller is about to leave its processor idle: the job, which a
    // busy processor may be holding back, is given it.
    if (started_ && !done_) {
        const int here = ::sched_getcpu();
        if (here >= 0 && here < CPU_SETSIZE) {
            cpu_set_t mine;
            CPU_ZERO(&mine);
            CPU_SET(here, &mine);
            ::pthread_setaffinity_np(thread_, sizeof mine, &mine);
        }
    }
    join();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}
