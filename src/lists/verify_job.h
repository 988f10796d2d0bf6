#pragma once
// Checks every entry of a checksum list against the files it names, in list order, handing one
// result per entry or malformed line to the caller as it goes. Relative names are taken from a
// folder the caller gives: the list's own, so that a list checks the same from wherever it is
// opened, or the current one, as the standard tools take them. Files are hashed on the given
// number of workers, with the progress and cancel of the file path; the verify window and
// tessik-sum run it in the background.

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
    std::u16string listFolder;
    const AlgorithmInfo* named = nullptr;   // the user's choice, which every line must fit
    const AlgorithmInfo* ofList = nullptr;  // what the list's name stands for
    int workers = 1;
    const std::atomic<bool>* cancel = nullptr;
    HashProgress progress;
};

// Reports each line as it is checked, in list order, on the calling thread. False when
// cancelled.
bool VerifyList(ChecksumListReader& reader, const VerifyOptions& options,
                const std::function<void(const VerifyResult&)>& report);

}  // namespace tessik
