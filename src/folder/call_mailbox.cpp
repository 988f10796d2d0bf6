#include "folder/call_mailbox.h"

#include <utility>

namespace tessik {

CallMailbox::CallMailbox(std::function<void()> wakeUp) : wakeUp_(std::move(wakeUp)) {}

void CallMailbox::Call(const std::function<void()>& call) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = &call;
        served_ = false;
    }
    changed_.notify_all();
    if (wakeUp_) wakeUp_();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return served_; });
}

void CallMailbox::Finish() {
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    changed_.notify_all();
    if (wakeUp_) wakeUp_();
}

void CallMailbox::Begin() {
    std::lock_guard lock(mutex_);
    finished_ = false;
}

bool CallMailbox::ServePending() {
    const std::function<void()>* call = nullptr;
    {
        std::lock_guard lock(mutex_);
        // Taken before it runs, so that a serve nested inside the call cannot run it twice.
        call = std::exchange(waiting_, nullptr);
        if (call == nullptr) return finished_;
    }
    (*call)();
    {
        std::lock_guard lock(mutex_);
        served_ = true;
    }
    changed_.notify_all();
    return false;
}

void CallMailbox::ServeUntilFinished() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ != nullptr || finished_; });
        if (waiting_ == nullptr) return;
        lock.unlock();
        ServePending();
        lock.lock();
    }
}

bool CallMailbox::Finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

}  // namespace tessik
