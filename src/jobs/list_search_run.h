#pragma once
// The main window's look for a file's expected digest in a checksum list beside it, once the
// file is hashed (see FindListEntry): a row for the entry found, none when there is none.

#include <string>

#include "digest/algorithm_catalogue.h"
#include "jobs/background_run.h"
#include "lists/list_finder.h"

namespace tessik {

struct ListSearch {
    std::u16string file;
    const AlgorithmInfo* preferred = nullptr;  // a line for it wins
    std::string separator;                     // of the folder window's lines
};

using ListSearchRun = BackgroundRun<FoundEntry>;
// The signature of the list found is checked.
ListSearchRun::Work SearchingForList(ListSearch search);

}  // namespace tessik
