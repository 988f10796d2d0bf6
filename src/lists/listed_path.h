#pragma once
// Where the file a list's line names is looked for: relative names below the folder the names
// belong to, absolute ones as they are. Read leniently, a name written with '\' between its
// folders, as lists made on Windows have them, that names nothing as written is looked up with
// '/' instead; strictly, only as written.

#include <string>

#include "lists/checksum_list_reader.h"

namespace tessik {

// `folder` ends with a separator; empty, names are taken from the current folder.
std::u16string ListedPath(const std::string& name, const std::u16string& folder,
                          ListReading reading);

}  // namespace tessik
