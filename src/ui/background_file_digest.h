#pragma once
// One file hashed on a worker thread of its own, so that a window stays live meanwhile: it reads
// how far the hash has got whenever it likes, can cancel it, and hears when it has ended. A
// cancel ends the hash within one slice of the engine's input (a few milliseconds).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "digest/file_digest.h"

namespace tessik {

class BackgroundFileDigest {
  public:
    // `ended` runs on the worker thread, its last act, once the hash has ended whatever the
    // outcome; the owner answers it by calling Finish() on its own thread.
    explicit BackgroundFileDigest(std::function<void()> ended);
    // Cancels a hash that is still running and waits for it.
    ~BackgroundFileDigest();
    BackgroundFileDigest(const BackgroundFileDigest&) = delete;
    BackgroundFileDigest& operator=(const BackgroundFileDigest&) = delete;

    // False, and nothing happens, while an earlier hash has not been finished, or when no thread
    // could be started.
    bool Start(std::unique_ptr<DigestEngine> engine, std::u16string path);
    void Cancel();
    // A hash has been started and not finished yet.
    bool IsActive() const { return worker_.joinable(); }

    struct Progress {
        std::uint64_t done = 0;
        std::uint64_t total = 0;  // 0 until the file is open
    };
    // Any thread.
    Progress CurrentProgress() const;

    // Waits for the worker and hands over what the hash came to (a cancelled outcome when
    // none was started).
    FileDigestResult Finish();

  private:
    const std::function<void()> ended_;
    std::atomic<bool> cancel_{false};
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
    FileDigestResult result_;  // written by the worker, read after it has been joined
    std::thread worker_;
};

}  // namespace tessik
