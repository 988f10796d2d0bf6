#pragma once
// Files hashed in the order given, one row each: a file in the main window, files dropped onto
// it, the files tessik-sum is given. A folder may stand for every file below it.

#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "jobs/background_run.h"

namespace tessik {

struct FilesToHash {
    std::vector<std::u16string> paths;
    const AlgorithmInfo* algorithm = nullptr;
    // A path that is a folder stands for every file below it, those whose names start with a dot
    // too. A folder below it, or the folder itself, that cannot be listed comes back in its place
    // without an algorithm, not hashed, with the cause as its failure. Otherwise a folder is
    // hashed as a file, and found unreadable.
    bool walkFolders = false;
    int workers = DefaultWorkerCount();
    // Further algorithms, each file read once for all of them (HashedFile::alsoDigests).
    std::vector<const AlgorithmInfo*> alsoWith = {};
};

// The files with the first algorithm given and the others further, each file read once; the
// set must not be empty.
FilesToHash FilesWithAlgorithms(std::vector<std::u16string> paths, const AlgorithmSet& algorithms);

// A row per file: its digest, or why it could not be read.
using FilesRun = BackgroundRun<HashedFile>;
FilesRun::Work HashingFiles(FilesToHash files);

}  // namespace tessik
