#pragma once
// Carries the calls of one worker thread to the thread that owns a window, and makes the worker
// wait until each has run there, so that the worker never touches the window itself. The owner
// serves the calls when the wake-up tells it to, or while it waits for the worker to finish, so
// an owner that waits for its worker can never deadlock with it.

#include <condition_variable>
#include <functional>
#include <mutex>

namespace tessik {

class CallMailbox {
  public:
    // wakeUp runs on the worker thread whenever a call waits or the worker has finished; the
    // owner answers it by running ServePending on its own thread soon. It may be empty when the
    // owner only serves by waiting.
    explicit CallMailbox(std::function<void()> wakeUp);

    // Worker: runs the call on the owner's thread and returns once it has run.
    void Call(const std::function<void()>& call);
    // Worker, its last act: no call follows.
    void Finish();

    // Owner: before a worker starts.
    void Begin();
    // Owner: runs the waiting call, if any. True once the worker has finished.
    bool ServePending();
    // Owner: serves every call until the worker has finished.
    void ServeUntilFinished();
    bool Finished() const;

  private:
    const std::function<void()> wakeUp_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* waiting_ = nullptr;  // taken by the owner when it serves
    bool served_ = false;
    bool finished_ = true;
};

}  // namespace tessik
