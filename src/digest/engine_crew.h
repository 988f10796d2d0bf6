#pragma once
// Several engines over the same pieces, side by side: each piece goes to every engine once, the
// engines running on up to one thread per core and never more threads than engines, the
// caller's own thread among them. A piece is let go as soon as the slowest engine is done with
// it, so the crew holds no bytes of its own.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "digest/digest_engine.h"

namespace tessik {

// Feeds the engine `length` bytes in slices, looking at the cancel flag before each, so that even
// the slowest engine stops within milliseconds. Returns the bytes it took: all of them unless the
// flag went up.
std::size_t UpdateInSlices(DigestEngine& engine, const std::uint8_t* data, std::size_t length,
                           const std::atomic<bool>* cancel);

class EngineCrew {
  public:
    // Where the system gives fewer threads than asked, the crew works with those it got.
    EngineCrew(std::span<DigestEngine* const> engines, const std::atomic<bool>* cancel);
    ~EngineCrew();
    EngineCrew(const EngineCrew&) = delete;
    EngineCrew& operator=(const EngineCrew&) = delete;

    // Hands the bytes to every engine and returns once all have taken them, or the cancel flag
    // stopped them: the fewest bytes any engine took.
    std::size_t Take(const std::uint8_t* data, std::size_t length);

  private:
    using Clock = std::chrono::steady_clock;

    // Runs engines over the piece of `generation` until none is left to start.
    void RunEngines(std::uint64_t generation);
    void Help();

    const std::vector<DigestEngine*> engines_;
    const std::atomic<bool>* const cancel_;
    // Each engine's time and bytes on the latest piece; the next piece starts the longest first,
    // so the threads finish together.
    std::vector<Clock::duration> took_;
    std::vector<std::size_t> taken_;
    std::vector<std::size_t> order_;

    std::mutex mutex_;
    std::condition_variable pieceReady_;
    std::condition_variable pieceDone_;
    std::uint64_t generation_ = 0;  // counts the pieces handed out
    const std::uint8_t* data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t nextEngine_ = 0;  // in order_
    std::size_t unfinished_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

}  // namespace tessik
