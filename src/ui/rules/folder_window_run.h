#pragma once
// The folder window's runs as both back ends drive them, one at a time, polled on the window's
// timer: the algorithm and letter case follow the window's choice from the next file on; Process
// while a stopped run is still ending starts the new run once it has ended; every way out of the
// window stops the run and waits for it.

#include <memory>
#include <optional>
#include <vector>

#include "jobs/folder_run.h"

namespace tessik {

class FolderWindowRun {
  public:
    FolderWindowRun() = default;
    ~FolderWindowRun() { endNow(); }
    FolderWindowRun(const FolderWindowRun&) = delete;
    FolderWindowRun& operator=(const FolderWindowRun&) = delete;

    // The choice the run and the next ones take from their next file on.
    void choose(DigestChoice choice) { choice_->Set(std::move(choice)); }
    // Process: true when a run may start at once; false while the stopped run is still ending,
    // and the poll that sees it end says to start then.
    bool mayStartNow();
    // False when no thread could be had.
    bool start(FolderToHash folder) {
        return run_.Start(HashingFolder(std::move(folder), choice_));
    }
    // Stop: the run ends within a moment, and a start that waited for it is forgotten.
    void stop();
    bool isActive() const { return run_.IsActive(); }
    RunProgress progress() const { return run_.Progress(); }
    std::vector<FolderLine> takeRows() { return run_.TakeRows(); }

    struct Ending {
        FolderRunSummary summary;
        bool startNext = false;  // Process was pressed while the run was ending
    };
    // Once the run has ended: what it came to. Nothing while it goes on, or when none was going.
    std::optional<Ending> ended();
    // Stops the run and waits for it: its summary when one was going.
    std::optional<FolderRunSummary> endNow();

  private:
    const std::shared_ptr<LatestChoice> choice_ = std::make_shared<LatestChoice>();
    FolderRun run_;
    bool startWhenEnded_ = false;
};

}  // namespace tessik
