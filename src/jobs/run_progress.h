#pragma once
// Where a background run has got, counted in one place whatever the run does: the entries it has
// handed over, the bytes its files have digested (every byte once, however many are hashed side
// by side) and the file reported last, with how far it has got. Workers count; the run's owner
// reads a copy whenever it likes.

#include <cstdint>
#include <mutex>
#include <string>

#include "folder/ordered_file_hasher.h"

namespace tessik {

struct RunProgress {
    std::uint64_t filesDone = 0;  // entries handed over: files hashed or found unreadable, lines
    std::uint64_t bytesDone = 0;  // digested so far, the parts of the files at hand included
    std::u16string currentFile;   // the file reported last; empty before the first
    std::uint64_t currentDone = 0;
    std::uint64_t currentTotal = 0;  // 0 until the file is open
    // Files hashed whole or found unreadable on any worker, whether delivered yet or not.
    std::uint64_t filesFinished = 0;
    // The whole run's files and bytes, once a walk ahead has counted them all.
    bool totalKnown = false;
    std::uint64_t filesTotal = 0;
    std::uint64_t bytesTotal = 0;
};

class ProgressCounter {
  public:
    void Reset();
    // A file's hashing starts: it is the one at hand, nothing of it digested yet.
    void FileStarted(const std::u16string& path);
    // What a worker reports while it hashes a file, for the hasher's progress.
    void Digested(const std::u16string& path, std::uint64_t done, std::uint64_t total,
                  std::uint64_t added);
    HashProgress Reporter();
    void EntryDone();
    // On a worker: a file is hashed whole or found unreadable.
    void FileFinished();
    void TotalCounted(std::uint64_t files, std::uint64_t bytes);
    RunProgress Snapshot() const;

  private:
    mutable std::mutex mutex_;
    RunProgress progress_;
};

}  // namespace tessik
