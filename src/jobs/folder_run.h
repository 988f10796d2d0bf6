#pragma once
// The work behind the folder window's Process button: walk a folder and hash its files on
// several workers at once, a row per file in the order of the walk, and a summary at the end.
// The algorithm and letter case come from a LatestChoice that the window changes while the run
// goes on: each file takes the choice in force when its hashing starts, so a change applies
// from the next file started.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"
#include "folder/directory_walker.h"
#include "folder/ordered_file_hasher.h"
#include "jobs/background_run.h"

namespace tessik {

// The window's fields as a run reads them when it starts.
struct FolderToHash {
    std::u16string folder;             // as typed; empty: the current folder
    std::u16string nameFilter = u"*";  // as DirectoryWalker takes it
    std::u16string extensionFilter = u"*";
    bool subfolders = false;
    int workers = DefaultWorkerCount();
};

struct DigestChoice {
    int algorithmIndex = -1;  // the algorithm list's selection, -1 for none
    bool lowerCase = true;    // the Lowercase letters box
    // When not empty, the algorithms hashed instead of the selection's, from one read.
    AlgorithmSet several = {};
};

// Set on the window's thread, read by the run's workers.
class LatestChoice {
  public:
    explicit LatestChoice(DigestChoice choice = {}) : choice_(choice) {}
    void Set(DigestChoice choice);
    DigestChoice Get() const;

  private:
    mutable std::mutex mutex_;
    DigestChoice choice_;
};

// A file of a run, kept for saving the run as a checksum list.
struct FolderResult {
    std::u16string relativePath;  // below the folder, as the walk went
    const AlgorithmInfo* algorithm = nullptr;
    Digest digest;  // empty when the file could not be read
    // The further algorithms of a run of several, and their digests when the file was read.
    AlgorithmSet alsoWith = {};
    std::vector<Digest> alsoDigests = {};
    bool operator==(const FolderResult&) const = default;
};

struct FolderLine {
    std::u16string path;  // as the walk gave it: the folder as typed, then the names below it
    FolderResult result;
    bool lowerCase = true;  // the letter case chosen when the file started
};

// The line the output field shows for a file: path, separator, digest, CR LF; for several
// algorithms, a separator and a digest for each, in their order. A file that could not be read
// has each algorithm's unreadable result.
std::u16string FolderLineText(const FolderLine& line, std::u16string_view separator);

// What a run came to.
struct FolderRunSummary {
    std::uint64_t filesHashed = 0;
    // Of those, the files hashed after one that Stop cut short: they have no line.
    std::uint64_t filesNotShown = 0;
    std::uint64_t filesUnreadable = 0;             // listed with the unreadable result
    std::vector<UnopenedFolder> foldersNotOpened;  // passed over as if empty, with their causes
    std::uint64_t bytes = 0;                       // of the files hashed
    double seconds = 0;
    bool stopped = false;  // ended by Stop before the walk was complete
    bool operator==(const FolderRunSummary&) const = default;
};

using FolderRun = BackgroundRun<FolderLine, FolderRunSummary>;
FolderRun::Work HashingFolder(FolderToHash folder, std::shared_ptr<const LatestChoice> choice);

}  // namespace tessik
