#include "platform/side_task.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sched.h>
#include <thread>

namespace {

// A job runs beside its caller where another processor can take it, else
// at once in the caller's stead; either way what it throws reaches the
// caller unchanged.
TEST(SideTask, RunsBesideTheCallerAndHandsOverWhatItThrew) {
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    for (const cpu_set_t* allowed : {&all, &one}) {
        ASSERT_EQ(sched_setaffinity(0, sizeof *allowed, allowed), 0);
        std::thread::id ranOn;
        SideTask fine([&] { ranOn = std::this_thread::get_id(); });
        fine.wait();
        EXPECT_NE(ranOn, std::thread::id());
        EXPECT_EQ(ranOn != std::this_thread::get_id(), allowed == &all && CPU_COUNT(&all) > 1);

        SideTask failing([] {
            throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("書き込みできません。(〜¥−🍣)"));
        });
        try {
            failing.wait();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, ErrorNumber::PermissionDenied);
            EXPECT_EQ(e.description, QStringLiteral("書き込みできません。(〜¥−🍣)"));
        }
    }
    sched_setaffinity(0, sizeof all, &all);
}

// A caller that leaves without waiting (its own part failed) still waits for
// the job, which may be using what the caller owns.
TEST(SideTask, LeavingWaitsForTheJob) {
    std::atomic<bool> done = false;
    {
        SideTask slow([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

}  // namespace
