#pragma once
// "Add new files to the list": the files hashed and their lines added to the list, which is
// replaced whole once they are (see AddFilesToList). No rows, only the outcome.

#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "jobs/background_run.h"
#include "lists/list_appender.h"

namespace tessik {

struct FilesToAdd {
    std::u16string listPath;
    std::u16string folder;  // the one the list's names belong to, ending with a separator
    std::vector<std::u16string> files;
    std::string separator;  // of the folder window's lines
    // For a list whose name and lines do not tell their algorithm: the one it was checked with.
    const AlgorithmInfo* algorithm = nullptr;
    int workers = DefaultWorkerCount();
};

using AppendRun = BackgroundRun<NoRows, AppendOutcome>;
AppendRun::Work AddingFiles(FilesToAdd files);

}  // namespace tessik
