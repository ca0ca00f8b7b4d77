#pragma once
// Steps of one operation that wait on the disk while the operation goes on:
// work run on a thread kept for that, and values handed between the threads.
#include <QThreadPool>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace Background {

// Threads kept for waiting on the disk and for a step run beside its
// operation (SideTask), so that a step pays no thread start.
QThreadPool& diskWaits();

// Work started at once on one of those threads. It is waited for when it
// goes out of scope, so that nothing it refers to is gone before it ends.
template <typename T>
class Work {
public:
    explicit Work(std::function<T()> work) {
        auto task = std::make_shared<std::packaged_task<T()>>(std::move(work));
        result_ = task->get_future().share();
        diskWaits().start([task] { (*task)(); });
    }
    ~Work() { result_.wait(); }
    Work(const Work&) = delete;
    Work& operator=(const Work&) = delete;

    // Waits, and throws what the work threw.
    T get() const { return result_.get(); }

private:
    std::shared_future<T> result_;
};

// A value handed over once: give(), or nothing when withdraw() or the end of
// its scope comes first.
template <typename T>
class Handover {
public:
    Handover() : taken_(given_.get_future().share()) {}
    ~Handover() { withdraw(); }
    Handover(const Handover&) = delete;
    Handover& operator=(const Handover&) = delete;

    void give(T value) {
        if (done_) return;
        done_ = true;
        given_.set_value(std::move(value));
    }
    void withdraw() {
        if (done_) return;
        done_ = true;
        given_.set_value(std::nullopt);
    }
    // Waits for it; empty when withdrawn.
    std::optional<T> take() const { return taken_.get(); }

private:
    std::promise<std::optional<T>> given_;
    std::shared_future<std::optional<T>> taken_;
    bool done_ = false;
};

}  // namespace Background
