#pragma once
// The progress line of a long hash on standard error: bytes and percent of the file that
// reported last, and the speed of all files being hashed together. Workers report from their
// own threads; the line goes once no file is left in progress.

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "cli/console.h"

namespace tessik {

// "name: 512.0 MiB of 1.0 GiB, 50%, 1234.5 MB/s"; the speed is left out while unknown (< 0).
std::string FormatProgress(std::string_view name, std::uint64_t done, std::uint64_t total,
                           double bytesPerSecond);

class ProgressMeter {
  public:
    // Files of at least `fromBytes` are shown.
    ProgressMeter(Console& console, std::uint64_t fromBytes);

    // Any thread. The last report of a file comes with done == total.
    void Report(const std::u16string& path, std::uint64_t done, std::uint64_t total);
    // Removes a line still shown, e.g. that of a file that failed half-way.
    void Clear();

  private:
    using Clock = std::chrono::steady_clock;

    void ClearLocked();

    Console& console_;
    const std::uint64_t fromBytes_;
    std::mutex mutex_;
    std::map<std::u16string, std::uint64_t> inProgress_;  // bytes done of each file
    Clock::time_point since_;
    std::uint64_t doneSince_ = 0;  // by all files since then
    bool shown_ = false;
};

// Files from this size on show progress by themselves when standard error is a terminal.
inline constexpr std::uint64_t kAutomaticProgressBytes = std::uint64_t{64} << 20;

}  // namespace tessik
