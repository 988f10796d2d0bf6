#pragma once
// How tessik-sum owns a background run: it waits for it, hands each row on as it comes and shows
// the progress meanwhile, then finishes the run.

#include <chrono>

#include "cli/progress_meter.h"
#include "jobs/background_run.h"

namespace tessik {

// Rows and progress are looked at this often; the run's end is seen at once.
inline constexpr std::chrono::milliseconds kFollowInterval{50};

// `take` may stop the run; `meter` may be null, when no progress is shown.
template <class Row, class Ending, class Take>
Ending FollowRun(BackgroundRun<Row, Ending>& run, ProgressMeter* meter, Take take) {
    bool ended = false;
    while (!ended) {
        ended = run.WaitForEnd(kFollowInterval);
        for (Row& row : run.TakeRows()) take(row);
        if (meter != nullptr) meter->Show(run.Progress());
    }
    if (meter != nullptr) meter->Clear();
    return run.Finish();
}

}  // namespace tessik
