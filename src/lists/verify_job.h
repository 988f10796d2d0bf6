#pragma once
// Checks every entry of a checksum list against the files it names, in list order, handing one
// result per entry or malformed line to the caller as it goes. Relative names are taken from a
// folder the caller gives: the list's own, so that a list checks the same from wherever it is
// opened, the current one, as the standard tools take them, or any other the user picks for a
// list whose names belong elsewhere. They are looked up as the reader reads (see ListedPath). Files
// are hashed on the given number of workers, with the progress and cancel of the file path; a
// window drives the same job on a worker thread of its own. Lines after one another that name
// the same file under several algorithms read it once for all of them.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "lists/checksum_list_reader.h"
#include "platform/input_file.h"

namespace tessik {

enum class VerifyStatus {
    kOk,
    kFailed,      // the file's digest differs
    kMissing,     // no file by that name
    kUnreadable,  // see failure
    kMalformed,   // the line is no entry, or contradicts the algorithm named or implied
    kAmbiguous,   // several algorithms fit the line; see candidates
    kNew,         // a file the list does not name (line number 0), found by a caller
};

struct VerifyResult {
    std::uint64_t lineNumber = 0;
    VerifyStatus status = VerifyStatus::kMalformed;
    std::string name;                              // as the list has it, unescaped
    const AlgorithmInfo* algorithm = nullptr;      // the one that checked the file
    ReadFailure failure = ReadFailure::kNone;      // with kMissing and kUnreadable
    std::vector<const AlgorithmInfo*> candidates;  // with kAmbiguous
};

struct VerifyOptions {
    // Names are taken relative to it (ending with a separator); empty: the current folder.
    // Usually the list's own folder, but any folder the names belong to.
    std::u16string listFolder;
    const AlgorithmInfo* named = nullptr;   // the user's choice, which every line must fit
    const AlgorithmInfo* ofList = nullptr;  // what the list's name stands for
    // Taken for a digest of its length when neither of those nor a tag names one: the one the
    // caller writes its own lines with, so that it reads them back.
    const AlgorithmInfo* byDefault = nullptr;
    int workers = 1;
    const std::atomic<bool>* cancel = nullptr;
    HashProgress progress;
};

// Reports each line as it is checked, in list order, on the calling thread. False when
// cancelled.
bool VerifyList(ChecksumListReader& reader, const VerifyOptions& options,
                const std::function<void(const VerifyResult&)>& report);

}  // namespace tessik
