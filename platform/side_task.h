#pragma once
// A piece of one operation run on a thread of its own while the caller does
// another piece; the caller waits for it before it uses what it made.
#include <atomic>
#include <exception>
#include <functional>
#include <pthread.h>
#include <sched.h>

class SideTask {
public:
    // Starts job at once on a thread of its own. Where no other processor
    // could run it, or no thread can be had, job runs here before the
    // constructor returns, and wait() reports what it threw.
    explicit SideTask(std::function<void()> job);
    // Waits for the job: it may use what the caller owns.
    ~SideTask();
    SideTask(const SideTask&) = delete;
    SideTask& operator=(const SideTask&) = delete;

    // Waits for the job to end; rethrows what it threw. Once only. A job
    // still running is moved onto the caller's processor, which the wait
    // leaves free.
    void wait();

private:
    void run();
    void join();

    std::function<void()> job_;
    std::exception_ptr error_;
    cpu_set_t allowed_;
    pthread_t thread_{};
    bool started_ = false;
    std::atomic<bool> done_ = false;
};
