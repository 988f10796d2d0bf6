#pragma once
// The one ordered list of the algorithms a user can choose. Both windows list it in this order,
// the position in it (the algorithm index) is what a request passes and what the settings store,
// and each row holds everything else about its algorithm. Adding an algorithm is an engine and a
// row here.

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "digest/digest_engine.h"

namespace tessik {

struct AlgorithmInfo {
    std::string_view name;  // the exact text of the list entry
    // Stable, lower case: what files and command lines name the algorithm by.
    std::string_view id;
    // The tag of a BSD-style checksum line, "SHA256 (name) = ...".
    std::string_view listTag;
    std::size_t digestBytes;
    std::unique_ptr<DigestEngine> (*makeEngine)();
    // What a request on a file that cannot be read returns: nothing for a message digest or a
    // checksum, the value 0 for a string hash.
    std::string_view unreadableHex;
};

inline constexpr int kDefaultAlgorithmIndex = 7;  // SHA-2(512)

std::span<const AlgorithmInfo> AlgorithmCatalogue();
int AlgorithmCount();

// The algorithm an index runs: each index of the list its own entry; any other index, -1
// (nothing selected) included, runs SDBM, as it did when SDBM ended the list.
const AlgorithmInfo& AlgorithmForIndex(int index);

// The row of a stable identifier; null when there is none.
const AlgorithmInfo* AlgorithmWithId(std::string_view id);

// Several algorithms, in the catalogue's order.
using AlgorithmSet = std::vector<const AlgorithmInfo*>;
AlgorithmSet EveryAlgorithm();

}  // namespace tessik
