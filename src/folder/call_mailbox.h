#pragma once
// Carries the calls of one worker thread to the thread that owns a window, so that the worker
// never touches the window itself. A call either makes the worker wait until it has run there,
// or is posted and runs there later, in order with every other call. The owner serves waiting
// calls when the wake-up tells it to, posted ones at least every kPostedCallsInterval while a
// worker runs, and both while it waits for the worker to finish, so an owner that waits for its
// worker can never deadlock with it. Posted calls wake nobody: a wake-up per call would cost a
// busy worker more than the work it reports.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tessik {

// How often an owner serves posted calls while a worker runs: often enough to look continuous.
inline constexpr std::chrono::milliseconds kPostedCallsInterval{15};

class CallMailbox {
  public:
    // wakeUp runs on the worker thread when a call waits or the worker has finished; the owner
    // answers it by running ServePending on its own thread soon. It may be empty when the owner
    // only serves by waiting.
    explicit CallMailbox(std::function<void()> wakeUp);

    // Worker: runs the call on the owner's thread and returns once it has run.
    void Call(const std::function<void()>& call);
    // Worker: the call runs on the owner's thread after those posted before it, when the owner
    // next serves; the worker goes on at once.
    void Post(std::function<void()> call);
    // Worker, its last act: no call follows.
    void Finish();

    // Owner: before a worker starts.
    void Begin();
    // Owner: runs the calls that wait, if any. True once the worker has finished and every call
    // has run.
    bool ServePending();
    // Owner: serves every call until the worker has finished.
    void ServeUntilFinished();
    bool Finished() const;

  private:
    bool NothingToServe() const { return posted_.empty() && waiting_ == nullptr; }

    const std::function<void()> wakeUp_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> posted_;
    const std::function<void()>* waiting_ = nullptr;  // taken by the owner when it serves
    bool served_ = false;
    bool finished_ = true;
};

}  // namespace tessik
