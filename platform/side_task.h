#pragma once
// A piece of one operation run on another thread while the caller does
// another piece; the caller waits for it before it uses what it made.
#include "platform/background.h"

#include <exception>
#include <functional>
#include <optional>

class SideTask {
public:
    // Starts job at once as Background::Work, on one of the threads kept for
    // an operation's steps: one left idle by an earlier step, such as the
    // entry saved a moment before, takes it without a thread's start. Where
    // no other processor could run it, job runs here before the constructor
    // returns, and wait() reports what it threw.
    explicit SideTask(std::function<void()> job);
    SideTask(const SideTask&) = delete;
    SideTask& operator=(const SideTask&) = delete;

    // Waits for the job to end; rethrows what it threw. Once only. Leaving
    // without it waits as well: the job may use what the caller owns.
    void wait();

private:
    std::exception_ptr error_;
    std::optional<Background::Work<void>> work_;
};
