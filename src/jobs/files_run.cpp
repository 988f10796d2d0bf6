#include "jobs/files_run.h"

#include <optional>
#include <utility>

#include "folder/directory_walker.h"
#include "platform/path_utilities.h"

namespace tessik {
namespace {

// The files to hash, in order: each path given, or the files below it when it is a folder to
// walk. The walk goes only as fast as the workers take its files, so memory stays flat.
class FileSource {
  public:
    explicit FileSource(const FilesToHash& files) : files_(files) {}

    bool Next(FileToHash& file, const std::atomic<bool>& stop) {
        while (!stop) {
            if (walker_) {
                if (TakeUnopenedFolder(file)) return true;
                if (walkEnded_) {
                    walker_.reset();
                    continue;
                }
                std::u16string path;
                walkEnded_ = !(walkStarted_ ? walker_->FindNext(path) : walker_->FindFirst(path));
                walkStarted_ = true;
                if (path.empty()) continue;
                file = {std::move(path), files_.algorithm, ReadFailure::kNone, files_.alsoWith};
                return true;
            }
            if (next_ == files_.paths.size()) return false;
            const std::u16string& path = files_.paths[next_++];
            if (files_.walkFolders && DirectoryExists(path)) {
                WalkOptions walk;
                walk.recurse = true;
                walk.rootFolder = path;
                walk.dotFiles = true;
                walker_.emplace(walk);
                walkStarted_ = walkEnded_ = false;
                foldersReported_ = 0;
                continue;
            }
            file = {path, files_.algorithm, ReadFailure::kNone, files_.alsoWith};
            return true;
        }
        return false;
    }

  private:
    // A folder the walk could not list goes out in its place among the files, not hashed, with
    // the cause.
    bool TakeUnopenedFolder(FileToHash& file) {
        const std::vector<UnopenedFolder>& unopened = walker_->UnopenedFolders();
        if (foldersReported_ == unopened.size()) return false;
        const UnopenedFolder& folder = unopened[foldersReported_++];
        file = {folder.path, nullptr, folder.cause};
        return true;
    }

    const FilesToHash& files_;
    std::size_t next_ = 0;
    std::optional<DirectoryWalker> walker_;
    bool walkStarted_ = false;
    bool walkEnded_ = false;
    std::size_t foldersReported_ = 0;  // of the walk's unopened folders
};

}  // namespace

FilesToHash FilesWithAlgorithms(std::vector<std::u16string> paths, const AlgorithmSet& algorithms) {
    FilesToHash files{std::move(paths), algorithms.front()};
    files.alsoWith.assign(algorithms.begin() + 1, algorithms.end());
    return files;
}

FilesRun::Work HashingFiles(FilesToHash files) {
    return [files = std::move(files)](FilesRun::Context& run) {
        FileSource source(files);
        OrderedHashOptions options;
        options.workers = files.workers;
        options.cancel = &run.StopFlag();
        options.progress = run.Progress().Reporter();
        RunEnding ending;
        ending.stopped =
            !HashFilesInOrder([&](FileToHash& file) { return source.Next(file, run.StopFlag()); },
                              [&](HashedFile& hashed) { run.Deliver(std::move(hashed)); }, options);
        return ending;
    };
}

}  // namespace tessik
