#include "digest/engine_crew.h"

#include <algorithm>
#include <numeric>
#include <system_error>

#include "digest/file_stream.h"

namespace tessik {
namespace {

// A slice of MD2, the slowest engine at about 10 MB/s, takes a few milliseconds.
constexpr std::size_t kSliceBytes = std::size_t{64} << 10;

std::size_t ThreadsFor(std::size_t engines) {
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    return std::min(cores, engines);
}

}  // namespace

std::size_t UpdateInSlices(DigestEngine& engine, const std::uint8_t* data, std::size_t length,
                           const std::atomic<bool>* cancel) {
    std::size_t at = 0;
    for (; at < length && !CancelRaised(cancel); at += std::min(kSliceBytes, length - at)) {
        engine.Update(data + at, std::min(kSliceBytes, length - at));
    }
    return at;
}

EngineCrew::EngineCrew(std::span<DigestEngine* const> engines, const std::atomic<bool>* cancel)
    : engines_(engines.begin(), engines.end()),
      cancel_(cancel),
      took_(engines.size()),
      taken_(engines.size()),
      order_(engines.size()) {
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    for (std::size_t i = 1; i < ThreadsFor(engines.size()); ++i) {
        try {
            helpers_.emplace_back([this] { Help(); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

EngineCrew::~EngineCrew() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    pieceReady_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
}

std::size_t EngineCrew::Take(const std::uint8_t* data, std::size_t length) {
    std::uint64_t generation;
    {
        std::lock_guard lock(mutex_);
        data_ = data;
        length_ = length;
        nextEngine_ = 0;
        unfinished_ = engines_.size();
        generation = ++generation_;
    }
    pieceReady_.notify_all();
    RunEngines(generation);
    std::unique_lock lock(mutex_);
    pieceDone_.wait(lock, [this] { return unfinished_ == 0; });
    std::stable_sort(order_.begin(), order_.end(),
                     [this](std::size_t a, std::size_t b) { return took_[a] > took_[b]; });
    return engines_.empty() ? length : *std::min_element(taken_.begin(), taken_.end());
}

void EngineCrew::RunEngines(std::uint64_t generation) {
    for (;;) {
        std::size_t engine;
        const std::uint8_t* data;
        std::size_t length;
        {
            std::lock_guard lock(mutex_);
            if (generation_ != generation || nextEngine_ == engines_.size()) return;
            engine = order_[nextEngine_++];
            data = data_;
            length = length_;
        }
        const Clock::time_point start = Clock::now();
        taken_[engine] = UpdateInSlices(*engines_[engine], data, length, cancel_);
        took_[engine] = Clock::now() - start;
        bool last;
        {
            std::lock_guard lock(mutex_);
            last = --unfinished_ == 0;
        }
        if (last) pieceDone_.notify_one();
    }
}

void EngineCrew::Help() {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            pieceReady_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
        }
        RunEngines(seen);
    }
}

}  // namespace tessik
