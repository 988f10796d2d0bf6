#pragma once
// The names a checksum list holds, and where the file a name stands for is looked for: relative
// names below the folder the names belong to, absolute ones as they are. Read leniently, a name
// written with '\' between its folders, as lists made on Windows have them, that names nothing
// as written is looked up with '/' instead; strictly, only as written.

#include <functional>
#include <string>

#include "lists/checksum_list_reader.h"

namespace tessik {

// A name that stands for a file wherever the list is: from the root, or on Windows from a drive.
bool IsFullListName(const std::string& name);

// `folder` ends with a separator; empty, names are taken from the current folder.
std::u16string ListedPath(const std::string& name, const std::u16string& folder,
                          ListReading reading);

// Hands the name of each of the list's entries to `take` until it returns false; of a
// clear-signed list only those of its signed text, its signature unchecked. False when the list
// could not be opened or was not read to its end for a read error.
bool ForEachListedName(const std::u16string& listPath, const std::string& separator,
                       ListReading reading, const std::function<bool(const std::string&)>& take);

}  // namespace tessik
