#pragma once
// The progress line of a long hash on standard error: bytes and percent of the file at hand, and
// the speed of all files being hashed together. Shown while a file of some size is at hand, it
// goes once that file is done.

#include <chrono>
#include <cstdint>
#include <string>

#include "cli/console.h"
#include "jobs/run_progress.h"

namespace tessik {

// "name: 512.0 MiB of 1.0 GiB, 50%, 1234.5 MB/s"; the speed is left out while unknown (< 0).
std::string FormatProgress(std::string_view name, std::uint64_t done, std::uint64_t total,
                           double bytesPerSecond);

class ProgressMeter {
  public:
    // Files of at least `fromBytes` are shown; a smaller file at hand leaves the line as it is.
    ProgressMeter(Console& console, std::uint64_t fromBytes);

    // Where a run has got, as its owner reads it now and then.
    void Show(const RunProgress& progress);
    // Removes a line still shown, e.g. that of a file that failed half-way.
    void Clear();

  private:
    using Clock = std::chrono::steady_clock;

    Console& console_;
    const std::uint64_t fromBytes_;
    bool shown_ = false;
    Clock::time_point since_;       // when the line appeared
    std::uint64_t bytesSince_ = 0;  // the run's bytes then
};

// Files from this size on show progress by themselves when standard error is a terminal.
inline constexpr std::uint64_t kAutomaticProgressBytes = std::uint64_t{64} << 20;

}  // namespace tessik
