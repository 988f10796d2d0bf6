#pragma once
// The files below the folder a list's names belong to that the list does not name: what was
// added since the list was made. The list itself, its detached signatures and hidden files
// (names starting with '.', and everything in hidden folders) are left out. The walk is the
// folder window's, safe from link cycles, and nothing found is opened, so FIFOs and devices
// are listed without being read. Paths are compared as full paths, so "./a", "a" and "dir/../a"
// name the same file, and names are looked up as the check looks them up (see ListedPath).

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "lists/checksum_list_reader.h"

namespace tessik {

struct UnlistedOptions {
    std::string separator;  // of the folder window's lines
    ListReading reading = ListReading::kLenient;
    const std::atomic<bool>* cancel = nullptr;
};

struct UnlistedFiles {
    std::vector<std::u16string> paths;  // in the walk's order
    std::size_t foldersNotOpened = 0;   // passed over as if empty: the result may lack files
    bool listUnreadable = false;        // nothing is listed then: every file would seem new
    bool cancelled = false;
};

// `folder` ends with a separator.
UnlistedFiles FindUnlistedFiles(const std::u16string& listPath, const std::u16string& folder,
                                const UnlistedOptions& options = {});

}  // namespace tessik
