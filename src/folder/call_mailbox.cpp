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

void CallMailbox::Post(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
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
    std::deque<std::function<void()>> posted;
    const std::function<void()>* call = nullptr;
    {
        std::lock_guard lock(mutex_);
        // Taken before they run, so that a serve nested inside a call cannot run them twice.
        posted.swap(posted_);
        call = std::exchange(waiting_, nullptr);
        if (posted.empty() && call == nullptr) return finished_;
    }
    // The posted calls came first: a waiting worker posts nothing.
    for (const auto& postedCall : posted) postedCall();
    if (call != nullptr) {
        (*call)();
        {
            std::lock_guard lock(mutex_);
            served_ = true;
        }
        changed_.notify_all();
    }
    return false;
}

void CallMailbox::ServeUntilFinished() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait_for(lock, kPostedCallsInterval,
                          [this] { return waiting_ != nullptr || finished_; });
        if (NothingToServe()) {
            if (finished_) return;
            continue;
        }
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
