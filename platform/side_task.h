#pragma once
// A piece of one operation run on another thread while the caller does
// another piece; the caller waits for it before it uses what it made.
#include <exception>
#include <functional>
#include <future>

class SideTask {
public:
    // Starts job at once on one of the threads kept for an operation's
    // steps (Background::diskWaits): one left idle by an earlier step, such
    // as the entry saved a moment before, takes it without a thread's start.
    // Where no other processor could run it, job runs here before the
    // constructor returns, and wait() reports what it threw.
    explicit SideTask(std::function<void()> job);
    // Waits for the job: it may use what the caller owns.
    ~SideTask();
    SideTask(const SideTask&) = delete;
    SideTask& operator=(const SideTask&) = delete;

    // Waits for the job to end; rethrows what it threw. Once only.
    void wait();

private:
    void run();

    std::function<void()> job_;
    std::exception_ptr error_;
    // Valid while the job is out on another thread.
    std::future<void> ended_;
};
