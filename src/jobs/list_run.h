#pragma once
// A checksum list checked against the files it names: a row per entry or malformed line, in
// list order, for the verify window and tessik-sum --check.

#include <string>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "jobs/background_run.h"
#include "lists/checksum_list_reader.h"
#include "lists/verify_job.h"

namespace tessik {

struct ListToCheck {
    ListBytes bytes;            // read on the run's thread; what it reads from outlives the run
    std::string separator;      // of the folder window's lines
    std::u16string listFolder;  // names are taken relative to it; empty: the current folder
    const AlgorithmInfo* named = nullptr;   // the user's choice, which every line must fit
    const AlgorithmInfo* ofList = nullptr;  // for lines that name no algorithm of their own
    // For a digest of its length when nothing else names an algorithm (see VerifyOptions).
    const AlgorithmInfo* byDefault = nullptr;
    ListReading reading = ListReading::kLenient;
    bool sfvList = false;  // named as an SFV list (IsSfvListName)
    int workers = DefaultWorkerCount();
};

struct ListRunEnding {
    bool stopped = false;
    bool listReadFailed = false;  // the list could not be read to its end
};

using ListRun = BackgroundRun<VerifyResult, ListRunEnding>;
ListRun::Work CheckingList(ListToCheck list);

}  // namespace tessik
