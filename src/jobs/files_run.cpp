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
                std::u16string path;
                const bool more = walkStarted_ ? walker_->FindNext(path) : walker_->FindFirst(path);
                const bool notListed = !more && !walkStarted_;
                walkStarted_ = true;
                if (notListed) {
                    file = {std::move(walkRoot_), nullptr};
                    walker_.reset();
                    return true;
                }
                if (!more) walker_.reset();
                if (path.empty()) continue;
                file = {std::move(path), files_.algorithm};
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
                walkStarted_ = false;
                walkRoot_ = path;
                continue;
            }
            file = {path, files_.algorithm};
            return true;
        }
        return false;
    }

  private:
    const FilesToHash& files_;
    std::size_t next_ = 0;
    std::optional<DirectoryWalker> walker_;
    bool walkStarted_ = false;
    std::u16string walkRoot_;
};

}  // namespace

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
