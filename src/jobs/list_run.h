#pragma once
// A checksum list checked against the files it names: a row per entry or malformed line, in
// list order, for the verify window and tessik-sum --check. A list file is opened on the run's
// thread, so that GnuPG checking its signature never holds up a window; on request the files
// below the folder its names belong to that it does not name follow its entries as new ones.

#include <cstddef>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "jobs/background_run.h"
#include "lists/checksum_list_reader.h"
#include "lists/list_signature.h"
#include "lists/signed_list.h"
#include "lists/verify_job.h"

namespace tessik {

struct ListToCheck {
    // A list file, read as SignedList reads it. Empty: `bytes` are read, which must outlive the
    // run.
    std::u16string path;
    SignedList::Checking signature = SignedList::Checking::kCheck;
    ListBytes bytes;
    std::string separator;      // of the folder window's lines
    std::u16string listFolder;  // names are taken relative to it; empty: the current folder
    const AlgorithmInfo* named = nullptr;   // the user's choice, which every line must fit
    const AlgorithmInfo* ofList = nullptr;  // for lines that name no algorithm of their own
    // For a digest of its length when nothing else names an algorithm (see VerifyOptions).
    const AlgorithmInfo* byDefault = nullptr;
    ListReading reading = ListReading::kLenient;
    bool sfvList = false;  // named as an SFV list (IsSfvListName)
    int workers = DefaultWorkerCount();
    // With a list file: the files below listFolder it does not name come after its entries,
    // as kNew rows named relative to that folder, in the walk's order.
    bool findNew = false;
    // With a list file: where entries were missing, the folder beside the list that its names
    // seem to belong to is looked for (see FolderTheNamesBelongTo).
    bool lookForNamesFolder = false;
};

struct ListRunEnding {
    bool stopped = false;
    bool listReadFailed = false;                   // the list could not be read to its end
    ReadFailure openFailure = ReadFailure::kNone;  // the list file could not be opened
    SignatureCheck signature;
    // Folders the search for new files could not list: files in them may be new too.
    std::size_t foldersNotOpened = 0;
    std::u16string namesFolder;  // with lookForNamesFolder, ending with a separator; or empty
};

using ListRun = BackgroundRun<VerifyResult, ListRunEnding>;
ListRun::Work CheckingList(ListToCheck list);

}  // namespace tessik
