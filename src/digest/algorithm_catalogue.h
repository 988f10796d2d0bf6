#pragma once
// The one ordered list of the algorithms a user can choose. Both windows list it in this
// order, and the position in it (the algorithm index) is what a request passes and what the
// settings store.

#include <array>
#include <string_view>

namespace tessik {

enum class AlgorithmFamily { kMd2, kMd4, kMd5, kSha1, kSha2, kKeccak, kSha3, kStringHash };

// The sizes served by the SHA-2, Keccak and SHA-3 families.
enum class DigestVariant { k224 = 0, k256 = 1, k384 = 2, k512 = 3 };

// The nine string hashes, numbered as their selector (algorithm index - 15).
enum class StringHash { kAk = 1, kBkdr, kDek, kDjb, kElf, kJs, kPjw, kRs, kSdbm };

struct AlgorithmInfo {
    std::string_view name;  // the exact text of the list entry
    AlgorithmFamily family;
    DigestVariant variant;  // meaningful for SHA-2, Keccak and SHA-3
    StringHash stringHash;  // meaningful for the string-hash family
    int digestBytes;
};

inline constexpr int kAlgorithmCount = 25;
inline constexpr int kDefaultAlgorithmIndex = 7;  // SHA-2(512)

const std::array<AlgorithmInfo, kAlgorithmCount>& AlgorithmCatalogue();

// The algorithm an index runs: 0-24 their own entry; any other index, -1 (nothing selected)
// included, runs SDBM.
const AlgorithmInfo& AlgorithmForIndex(int index);

}  // namespace tessik
