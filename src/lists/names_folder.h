#pragma once
// A list made inside a folder and kept beside it ("cd tree && tessik-sum -r . > ../tree.sha256")
// names files that are not beside it but in "tree/". Where most of a list's names are missing
// beside it and most are found in the folder beside it that has the list's name without its
// extension, that folder is the one the names belong to, to be offered to the user. Only the
// list's first kNamesLookedAt relative names are looked up, so the check costs a few lookups
// whatever the list's length.

#include <cstddef>
#include <string>

#include "lists/checksum_list_reader.h"

namespace tessik {

inline constexpr std::size_t kNamesLookedAt = 64;

// The folder with its trailing separator; empty when there is none to offer.
std::u16string FolderTheNamesBelongTo(const std::u16string& listPath, const std::string& separator,
                                      ListReading reading);

}  // namespace tessik
