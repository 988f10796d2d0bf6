#include "jobs/run_progress.h"

namespace tessik {

void ProgressCounter::Reset() {
    std::lock_guard lock(mutex_);
    progress_ = {};
}

void ProgressCounter::FileStarted(const std::u16string& path) {
    std::lock_guard lock(mutex_);
    progress_.currentFile = path;
    progress_.currentDone = progress_.currentTotal = 0;
}

void ProgressCounter::Digested(const std::u16string& path, std::uint64_t done, std::uint64_t total,
                               std::uint64_t added) {
    std::lock_guard lock(mutex_);
    progress_.bytesDone += added;
    progress_.currentFile = path;
    progress_.currentDone = done;
    progress_.currentTotal = total;
}

HashProgress ProgressCounter::Reporter() {
    return [this](const std::u16string& path, std::uint64_t done, std::uint64_t total,
                  std::uint64_t added) { Digested(path, done, total, added); };
}

void ProgressCounter::EntryDone() {
    std::lock_guard lock(mutex_);
    ++progress_.filesDone;
}

void ProgressCounter::FileFinished() {
    std::lock_guard lock(mutex_);
    ++progress_.filesFinished;
}

void ProgressCounter::TotalCounted(std::uint64_t files, std::uint64_t bytes) {
    std::lock_guard lock(mutex_);
    progress_.totalKnown = true;
    progress_.filesTotal = files;
    progress_.bytesTotal = bytes;
}

RunProgress ProgressCounter::Snapshot() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

}  // namespace tessik
