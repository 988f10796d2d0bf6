#pragma once
// Which algorithm made a digest: the digests one file gave under every algorithm ticked, held
// against an expected value, as the "All algorithms" window answers it.

#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"
#include "folder/ordered_file_hasher.h"
#include "settings/algorithm_set.h"

namespace tessik {

// The expected value the window starts with: the main window's expected field when it holds a
// digest, or a checksum line with one, else the clipboard when that does; empty otherwise, so
// that text copied for another purpose is not taken for a digest.
std::u16string StartingExpectedValue(const std::u16string& expectedField,
                                     const std::u16string& clipboard,
                                     std::u16string_view separator);

struct AlgorithmDigest {
    const AlgorithmInfo* algorithm = nullptr;
    Digest digest;
};

// The digests a file gave under each algorithm it was hashed with, in their order.
std::vector<AlgorithmDigest> DigestsOfFile(const HashedFile& hashed);

// The algorithms whose digest is the expected value (or the digest of a checksum line given
// there), in either letter case; several may give the same, e.g. for an empty file.
AlgorithmSet AlgorithmsMatching(const std::u16string& expected,
                                const std::vector<AlgorithmDigest>& digests,
                                std::u16string_view separator);

// What the window says under the table: the algorithms that match, by name, in the match
// pattern; the no-match text when none does; nothing while there is no expected digest or no
// digests to hold it against.
std::u16string MatchText(const std::u16string& expected,
                         const std::vector<AlgorithmDigest>& digests, std::u16string_view separator,
                         std::u16string_view matchPattern, std::u16string_view noMatch);

// The algorithms' names apart by commas.
std::u16string AlgorithmNamesText(const AlgorithmSet& algorithms);

// What Copy takes of a table's rows: name and digest apart by a tab, a row a line, the lines
// apart by the line break.
std::u16string AlgorithmRowsText(const std::vector<AlgorithmDigest>& rows, bool lowerCase,
                                 std::u16string_view lineBreak);

}  // namespace tessik
