#include "platform/side_task.h"

#include "platform/background.h"

#include <memory>
#include <sched.h>
#include <utility>

SideTask::SideTask(std::function<void()> job) : job_(std::move(job)) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    // With one processor another thread would only take turns with the caller.
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) < 2) {
        run();
        return;
    }
    auto ended = std::make_shared<std::promise<void>>();
    ended_ = ended->get_future();
    Background::diskWaits().start([this, ended] {
        run();
        ended->set_value();
    });
}

SideTask::~SideTask() {
    if (ended_.valid()) ended_.wait();
}

void SideTask::run() {
    try {
        job_();
    } catch (...) {
        error_ = std::current_exception();
    }
}

void SideTask::wait() {
    if (ended_.valid()) ended_.get();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}
