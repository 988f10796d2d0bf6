#pragma once
// The one shape of long work. A run is started with its work and that work's parameters, on a
// thread of its own; it hands its rows over in order, counts its progress in one ProgressCounter,
// ends within a fifth of a second of Stop (every piece of work looks at the stop flag at least
// that often) and says when it has ended. Its owner, a window on a timer or the command line
// between waits, takes the rows and reads the progress whenever it likes: the run never calls
// its owner, and never waits for it. Never two runs at once: a run is started again only once
// the last one has been finished, which waits for its thread.
//
//   Row     what the work hands over, one per entry (a file, a list line)
//   Ending  what the work came to, returned by Finish()

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "jobs/run_progress.h"

namespace tessik {

// The rows of work that hands none over, only its ending.
struct NoRows {};

// What most runs come to.
struct RunEnding {
    bool stopped = false;  // ended by Stop before the work was complete
};

template <class Row, class Ending = RunEnding>
class BackgroundRun {
  public:
    // What the work is given, on the run's thread.
    class Context {
      public:
        // For the work to pass on to what it calls, and to look at between its steps.
        const std::atomic<bool>& StopFlag() const { return run_.stop_; }
        bool Stopping() const { return run_.stop_; }
        // Hands a row over, after those handed before it; it counts as an entry done.
        void Deliver(Row row) {
            {
                std::lock_guard lock(run_.mutex_);
                run_.rows_.push_back(std::move(row));
            }
            run_.progress_.EntryDone();
        }
        ProgressCounter& Progress() { return run_.progress_; }

      private:
        friend class BackgroundRun;
        explicit Context(BackgroundRun& run) : run_(run) {}
        BackgroundRun& run_;
    };
    using Work = std::function<Ending(Context&)>;

    BackgroundRun() = default;
    // Stops a run still going and waits for it.
    ~BackgroundRun() {
        Stop();
        Finish();
    }
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    // False, and nothing happens, while an earlier run has not been finished, or when no thread
    // could be started. Rows an earlier run left untaken are dropped.
    bool Start(Work work) {
        if (worker_.joinable()) return false;
        stop_ = false;
        progress_.Reset();
        {
            std::lock_guard lock(mutex_);
            rows_.clear();
            ended_ = false;
            ending_ = {};
        }
        try {
            worker_ = std::thread([this, work = std::move(work)] {
                Context context(*this);
                Ending ending = work(context);
                {
                    std::lock_guard lock(mutex_);
                    ending_ = std::move(ending);
                    ended_ = true;
                }
                changed_.notify_all();
            });
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

    // Any thread.
    void Stop() { stop_ = true; }
    // Started and not finished yet.
    bool IsActive() const { return worker_.joinable(); }
    // The work has returned and the run waits to be finished, which will not wait.
    bool HasEnded() const {
        std::lock_guard lock(mutex_);
        return ended_ && worker_.joinable();
    }
    // Waits until the work has returned or the time is up; whether it has returned.
    bool WaitForEnd(std::chrono::milliseconds longest) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, longest, [this] { return ended_; });
    }

    // Any thread: the rows that came since the last call, in order.
    std::vector<Row> TakeRows() {
        std::lock_guard lock(mutex_);
        return std::exchange(rows_, {});
    }
    RunProgress Progress() const { return progress_.Snapshot(); }

    // Waits for the run's thread; what the work came to. Rows it left stay to be taken. A run
    // that was never started comes to the default ending.
    Ending Finish() {
        if (!worker_.joinable()) return {};
        worker_.join();
        std::lock_guard lock(mutex_);
        return std::exchange(ending_, {});
    }

  private:
    std::atomic<bool> stop_{false};
    ProgressCounter progress_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Row> rows_;
    bool ended_ = false;
    Ending ending_;
    std::thread worker_;
};

}  // namespace tessik
