#include "jobs/folder_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <system_error>
#include <thread>
#include <utility>

#include "digest/hex.h"
#include "folder/directory_walker.h"
#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"

namespace tessik {

void LatestChoice::Set(DigestChoice choice) {
    std::lock_guard lock(mutex_);
    choice_ = choice;
}

DigestChoice LatestChoice::Get() const {
    std::lock_guard lock(mutex_);
    return choice_;
}

std::u16string FolderLineText(const FolderLine& line, std::u16string_view separator) {
    const FolderResult& result = line.result;
    const auto digestText = [&](const AlgorithmInfo& algorithm, const Digest& digest) {
        return std::u16string(separator) + FromUtf8(digest.empty()
                                                        ? std::string(algorithm.unreadableHex)
                                                        : HexDigest(digest, line.lowerCase));
    };
    std::u16string text = line.path + digestText(*result.algorithm, result.digest);
    for (std::size_t i = 0; i < result.alsoWith.size(); ++i) {
        text += digestText(*result.alsoWith[i],
                           result.digest.empty() ? Digest{} : result.alsoDigests[i]);
    }
    return text + u"\r\n";
}

namespace {

class FolderWork {
  public:
    FolderWork(const FolderToHash& folder, const LatestChoice& choice, FolderRun::Context& run)
        : folder_(folder),
          choice_(choice),
          run_(run),
          walker_(WalkOptions{folder.subfolders, folder.folder, folder.nameFilter,
                              folder.extensionFilter}) {
        // The walk's paths start with the folder and a separator it lacked.
        const std::u16string& root = folder.folder;
        rootLength_ = root.size() + (root.empty() || IsPathSeparator(root.back()) ? 0 : 1);
    }

    FolderRunSummary Run() {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point started = Clock::now();
        std::thread counting;
        try {
            counting = std::thread([this] { CountAhead(); });
        } catch (const std::system_error&) {
            // No total then: the run shows what it has done, without a share of the whole.
        }
        OrderedHashOptions options;
        options.workers = std::max(1, folder_.workers);
        options.cancel = &run_.StopFlag();
        options.chooseAtStart = [this](FileToHash& file) { StartFile(file); };
        options.progress = run_.Progress().Reporter();
        options.finished = [this](const HashedFile&) { run_.Progress().FileFinished(); };
        options.beyondGap = [this](HashedFile& hashed) { CountNotShown(hashed); };
        summary_.stopped =
            !HashFilesInOrder([this](FileToHash& file) { return Next(file); },
                              [this](HashedFile& hashed) { Deliver(hashed); }, options);
        countingEnds_ = true;
        if (counting.joinable()) counting.join();
        summary_.foldersNotOpened = walker_.UnopenedFolders();
        summary_.seconds = std::chrono::duration<double>(Clock::now() - started).count();
        return summary_;
    }

  private:
    // The walk goes on only as fast as the workers take its files, so memory stays flat however
    // large the folder.
    bool Next(FileToHash& file) {
        std::u16string path;
        do {
            if (run_.Stopping()) return false;
            const bool more = walking_ ? walker_.FindNext(path) : walker_.FindFirst(path);
            walking_ = true;
            if (!more) return false;
        } while (path.empty());
        file.path = std::move(path);
        // Replaced by the choice in force when the file's hashing starts.
        file.algorithm = &AlgorithmForIndex(choice_.Get().algorithmIndex);
        return true;
    }

    // On a worker, as it starts the file; files start in the walk's order, under the hasher's
    // lock, so the letter cases queue up in the order the lines are made.
    void StartFile(FileToHash& file) {
        const DigestChoice choice = choice_.Get();
        {
            std::lock_guard lock(casesMutex_);
            startedCases_.push_back(choice.lowerCase);
        }
        run_.Progress().FileStarted(file.path);
        if (choice.several.empty()) {
            file.algorithm = &AlgorithmForIndex(choice.algorithmIndex);
            file.alsoWith.clear();
        } else {
            file.algorithm = choice.several.front();
            file.alsoWith.assign(choice.several.begin() + 1, choice.several.end());
        }
    }

    // On a thread of its own, a walk of the same files ahead of the hashing: their number and
    // size, for the share of the whole run done and the time left. Ends with the run.
    void CountAhead() {
        DirectoryWalker walker(WalkOptions{folder_.subfolders, folder_.folder, folder_.nameFilter,
                                           folder_.extensionFilter});
        std::uint64_t files = 0;
        std::uint64_t bytes = 0;
        std::u16string path;
        for (bool more = walker.FindFirst(path); more; more = walker.FindNext(path)) {
            if (countingEnds_ || run_.Stopping()) return;
            if (path.empty()) continue;
            ++files;
            bytes += RegularFileSize(path);
        }
        run_.Progress().TotalCounted(files, bytes);
    }

    // A file hashed whole after one that Stop cut short: counted, though it has no line.
    void CountNotShown(const HashedFile& hashed) {
        if (hashed.result.outcome != FileDigestOutcome::kDigest) return;
        ++summary_.filesHashed;
        ++summary_.filesNotShown;
        summary_.bytes += hashed.result.bytes;
    }

    // In the walk's order. A file that cannot be read gets the algorithm's unreadable result.
    void Deliver(HashedFile& hashed) {
        FolderLine line;
        {
            std::lock_guard lock(casesMutex_);
            line.lowerCase = startedCases_.front();
            startedCases_.pop_front();
        }
        if (hashed.result.outcome == FileDigestOutcome::kDigest) {
            ++summary_.filesHashed;
            summary_.bytes += hashed.result.bytes;
        } else {
            ++summary_.filesUnreadable;
        }
        line.result = {hashed.path.substr(std::min(rootLength_, hashed.path.size())),
                       hashed.algorithm, std::move(hashed.result.digest),
                       std::move(hashed.alsoWith), std::move(hashed.alsoDigests)};
        line.path = std::move(hashed.path);
        run_.Deliver(std::move(line));
    }

    const FolderToHash& folder_;
    const LatestChoice& choice_;
    FolderRun::Context& run_;
    DirectoryWalker walker_;
    std::size_t rootLength_ = 0;
    bool walking_ = false;
    std::atomic<bool> countingEnds_ = false;
    FolderRunSummary summary_;
    std::mutex casesMutex_;
    std::deque<bool> startedCases_;  // of each file started whose line is not made yet
};

}  // namespace

FolderRun::Work HashingFolder(FolderToHash folder, std::shared_ptr<const LatestChoice> choice) {
    return [folder = std::move(folder), choice = std::move(choice)](FolderRun::Context& run) {
        return FolderWork(folder, *choice, run).Run();
    };
}

}  // namespace tessik
