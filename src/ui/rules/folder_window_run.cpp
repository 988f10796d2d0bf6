#include "ui/rules/folder_window_run.h"

#include <utility>

namespace tessik {

bool FolderWindowRun::mayStartNow() {
    if (!run_.IsActive()) return true;
    startWhenEnded_ = true;
    return false;
}

void FolderWindowRun::stop() {
    startWhenEnded_ = false;
    run_.Stop();
}

std::optional<FolderWindowRun::Ending> FolderWindowRun::ended() {
    if (!run_.IsActive() || !run_.HasEnded()) return std::nullopt;
    return Ending{run_.Finish(), std::exchange(startWhenEnded_, false)};
}

std::optional<FolderRunSummary> FolderWindowRun::endNow() {
    stop();
    if (!run_.IsActive()) return std::nullopt;
    return run_.Finish();
}

}  // namespace tessik
