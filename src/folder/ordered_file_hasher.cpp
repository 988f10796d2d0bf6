#include "folder/ordered_file_hasher.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "digest/file_stream.h"

namespace tessik {
namespace {

// How often a waiting calling thread looks at the cancel flag, which is raised without telling it,
// and at a finished file that no worker woke it for.
constexpr auto kCancelPoll = std::chrono::milliseconds(20);

HashedFile Hash(FileToHash file, const OrderedHashOptions& options) {
    HashedFile hashed{std::move(file.path), file.algorithm, {}, std::move(file.alsoWith), {}};
    hashed.result.failure = file.notHashed;
    if (hashed.algorithm == nullptr) return hashed;
    FileDigestOptions digestOptions;
    digestOptions.cancel = options.cancel;
    std::uint64_t reported = 0;
    if (options.progress) {
        digestOptions.progress = [&](std::uint64_t done, std::uint64_t total) {
            const std::uint64_t added = done - std::min(done, reported);
            reported = std::max(done, reported);
            options.progress(hashed.path, done, total, added);
        };
    }
    std::vector<std::unique_ptr<DigestEngine>> engines;
    engines.push_back(hashed.algorithm->makeEngine());
    for (const AlgorithmInfo* further : hashed.alsoWith) engines.push_back(further->makeEngine());
    std::vector<DigestEngine*> fed;
    for (const auto& engine : engines) fed.push_back(engine.get());
    FileDigestsResult all = DigestFileWithEngines(fed, hashed.path, digestOptions);
    hashed.result = {all.outcome, {}, all.failure, all.bytes};
    if (all.outcome == FileDigestOutcome::kDigest) {
        hashed.result.digest = std::move(all.digests.front());
        hashed.alsoDigests.assign(std::make_move_iterator(all.digests.begin() + 1),
                                  std::make_move_iterator(all.digests.end()));
    }
    if (all.outcome != FileDigestOutcome::kCancelled && options.finished) options.finished(hashed);
    return hashed;
}

class OrderedRun {
  public:
    explicit OrderedRun(const OrderedHashOptions& options)
        : options_(options),
          capacity_(std::max<std::size_t>(1, static_cast<std::size_t>(options.workers)) *
                    kFilesQueuedPerWorker) {}

    bool Run(const std::function<bool(FileToHash&)>& next,
             const std::function<void(HashedFile&)>& deliver) {
        StartWorkers();
        if (workers_.empty()) return RunAlone(next, deliver);
        bool streamEnded = false;
        for (;;) {
            // Top the queue up, then hand over the file at its head once it is finished.
            while (!streamEnded && !Cancelled() && Queued() < capacity_) {
                FileToHash file;
                streamEnded = !next(file);
                if (streamEnded) {
                    EndStream();
                } else {
                    Enqueue(std::move(file));
                }
            }
            HashedFile done;
            if (!TakeHead(done)) break;
            deliver(done);
        }
        StopWorkers();
        HandOverBeyondGap();
        return !Cancelled();
    }

  private:
    struct Slot {
        FileToHash file;
        HashedFile hashed;
        bool taken = false;
        bool finished = false;
    };

    bool Cancelled() const { return CancelRaised(options_.cancel); }

    void StartWorkers() {
        for (int i = 0; i < options_.workers; ++i) {
            try {
                workers_.emplace_back([this] { Work(); });
            } catch (const std::system_error&) {
                break;  // fewer workers, or none: then the calling thread hashes by itself
            }
        }
    }

    void StopWorkers() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        work_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    // After a cancel, with the workers gone: the files hashed whole behind the one that was not.
    void HandOverBeyondGap() {
        if (!options_.beyondGap) return;
        for (Slot& slot : slots_) {
            if (slot.finished && slot.hashed.algorithm != nullptr &&
                slot.hashed.result.outcome != FileDigestOutcome::kCancelled) {
                options_.beyondGap(slot.hashed);
            }
        }
    }

    bool RunAlone(const std::function<bool(FileToHash&)>& next,
                  const std::function<void(HashedFile&)>& deliver) {
        for (FileToHash file; !Cancelled() && next(file); file = {}) {
            ChooseAtStart(file);
            HashedFile hashed = Hash(std::move(file), options_);
            if (hashed.result.outcome == FileDigestOutcome::kCancelled) break;
            deliver(hashed);
        }
        return !Cancelled();
    }

    void ChooseAtStart(FileToHash& file) const {
        if (file.algorithm != nullptr && options_.chooseAtStart) options_.chooseAtStart(file);
    }

    std::size_t Queued() {
        std::lock_guard lock(mutex_);
        return slots_.size();
    }

    void Enqueue(FileToHash file) {
        const bool nothingToDo = file.algorithm == nullptr;
        {
            std::lock_guard lock(mutex_);
            Slot& slot = slots_.emplace_back();
            slot.taken = slot.finished = nothingToDo;
            if (nothingToDo) {
                slot.hashed.path = std::move(file.path);
                slot.hashed.result.failure = file.notHashed;
            } else {
                slot.file = std::move(file);
                ++untaken_;
            }
        }
        if (!nothingToDo) work_.notify_one();
    }

    void EndStream() {
        std::lock_guard lock(mutex_);
        streamEnded_ = true;
    }

    // Whether a worker wakes the calling thread: there is a file to hand over, and the queue
    // needs topping up or nothing more comes. Under the lock.
    bool CallerWanted() const {
        return slots_.front().finished && (streamEnded_ || untaken_ <= capacity_ / 2);
    }

    // False when the queue is empty (the stream has ended), or on cancel once no file at the
    // head was finished whole before it: those still go out, in order.
    bool TakeHead(HashedFile& done) {
        std::unique_lock lock(mutex_);
        while (!Cancelled() && !slots_.empty() && !slots_.front().finished) {
            finished_.wait_for(lock, kCancelPoll);
        }
        if (slots_.empty() || !slots_.front().finished) return false;
        if (Cancelled() && slots_.front().hashed.result.outcome == FileDigestOutcome::kCancelled) {
            return false;
        }
        done = std::move(slots_.front().hashed);
        slots_.pop_front();
        ++headSequence_;
        return true;
    }

    void Work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            auto slot =
                std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.taken; });
            if (stopping_ || Cancelled()) return;
            if (slot == slots_.end()) {
                work_.wait(lock);
                continue;
            }
            slot->taken = true;
            --untaken_;
            FileToHash file = std::move(slot->file);
            // Chosen while the lock keeps the order in which files start.
            ChooseAtStart(file);
            // The queue grows at the back and shrinks at the front meanwhile, but this slot
            // stays until it is finished: its sequence number finds it again.
            const std::uint64_t sequence =
                headSequence_ + static_cast<std::uint64_t>(slot - slots_.begin());
            lock.unlock();
            HashedFile hashed = Hash(std::move(file), options_);
            lock.lock();
            Slot& mine = slots_[static_cast<std::size_t>(sequence - headSequence_)];
            mine.hashed = std::move(hashed);
            mine.finished = true;
            if (CallerWanted()) finished_.notify_one();
        }
    }

    const OrderedHashOptions& options_;
    const std::size_t capacity_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable finished_;
    std::deque<Slot> slots_;
    std::uint64_t headSequence_ = 0;  // of the slot at the front
    std::size_t untaken_ = 0;         // queued files no worker has started
    bool streamEnded_ = false;
    bool stopping_ = false;
};

}  // namespace

int DefaultWorkerCount() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool HashFilesInOrder(const std::function<bool(FileToHash&)>& next,
                      const std::function<void(HashedFile&)>& deliver,
                      const OrderedHashOptions& options) {
    return OrderedRun(options).Run(next, deliver);
}

}  // namespace tessik
