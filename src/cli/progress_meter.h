#pragma once
// The progress line of a long hash on standard error: bytes, percent and speed. Workers report
// from their own threads; the meter shows the latest report and clears the line when a file is
// done, so that the digest lines on standard output are never mixed with it.

#include <chrono>
#include <cstdint>
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

    // Any thread. The last report of a file (done == total) clears the line.
    void Report(const std::u16string& path, std::uint64_t done, std::uint64_t total);
    // Removes a line still shown, e.g. that of a file that failed half-way.
    void Clear();

  private:
    using Clock = std::chrono::steady_clock;

    void ClearLocked();

    Console& console_;
    const std::uint64_t fromBytes_;
    std::mutex mutex_;
    std::u16string path_;  // of the file shown
    Clock::time_point since_;
    std::uint64_t doneSince_ = 0;
};

// Files from this size on show progress by themselves when standard error is a terminal.
inline constexpr std::uint64_t kAutomaticProgressBytes = std::uint64_t{64} << 20;

}  // namespace tessik
