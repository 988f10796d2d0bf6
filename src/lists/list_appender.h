#pragma once
// "Add new files to the list": hashes the files and adds a line for each to the list, in the
// list's own form (GNU with or without the binary marker, BSD tag, or the folder window's
// separated lines), digit case, line end, naming ("./a", "a" or full paths) and algorithm, as
// its first entry has them. The list is replaced crash-safely: until the new one is complete
// on disk the old one stays, and a failed save keeps it as it was and says why. A clear-signed
// list is left alone, since lines outside its signed text would not count and lines inside it
// would break its signature; a detached signature beside the list no longer matches once lines
// are added, which the outcome says.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "folder/ordered_file_hasher.h"
#include "platform/file_system.h"
#include "platform/input_file.h"

namespace tessik {

struct AppendOptions {
    std::string separator;  // of the folder window's lines, to know them in the list
    // The algorithm for a list whose name and lines do not tell theirs (an empty list, or
    // lines whose length several algorithms share): the one its check ran with.
    const AlgorithmInfo* algorithm = nullptr;
    int workers = 1;
    const std::atomic<bool>* cancel = nullptr;
    HashProgress progress;  // on the worker hashing the file
};

enum class AppendStatus {
    kAdded,  // every file that could be read has its line (see unread)
    kListUnreadable,
    kClearSigned,
    kNoAlgorithm,  // the list tells none and the options name none
    kCancelled,    // the list is as it was
    kNotSaved,     // see saveFailure; the list is as it was
};

struct UnreadFile {
    std::u16string path;
    ReadFailure failure = ReadFailure::kNone;  // kNone: its name cannot be written in the list
};

struct AppendOutcome {
    AppendStatus status = AppendStatus::kListUnreadable;
    ReadFailure readFailure = ReadFailure::kNone;    // with kListUnreadable
    WriteFailure saveFailure = WriteFailure::kNone;  // with kNotSaved
    const AlgorithmInfo* algorithm = nullptr;        // the one the lines were made with
    std::size_t added = 0;
    std::vector<UnreadFile> unread;  // left out, in the order given
    std::u16string staleSignature;   // a detached signature the added lines no longer match
};

// The files' names are written relative to `folder` (ending with a separator), the folder the
// list's names belong to; a file outside it by its full path.
AppendOutcome AddFilesToList(const std::u16string& listPath, const std::u16string& folder,
                             const std::vector<std::u16string>& files,
                             const AppendOptions& options);

}  // namespace tessik
