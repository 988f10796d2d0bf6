#pragma once
// Finds the expected digest of a file in a checksum list beside it, so that a user checking a
// download need not hunt for the list: a sidecar "<name>.<ext>" and every list named as the
// usual tools name them ("SHA256SUMS", "*.sha256", "CHECKSUM", ...), the extensions and names
// being those whose algorithm the list-name recognition knows. Lists for the preferred algorithm
// are read first, then those whose name stands for none (their lines may carry tags), then the
// others; sidecars first within each. Bounded work: at most kMaxListsRead lists of at most
// kMaxListBytes each, so a folder of downloads costs one listing and a few small reads, and
// nothing at all is read where no list is. Meant for a background run: it looks at the cancel
// flag between any two lines.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "lists/list_signature.h"

namespace tessik {

inline constexpr int kMaxListsRead = 32;
inline constexpr std::uint64_t kMaxListBytes = std::uint64_t{16} << 20;

struct FindOptions {
    const AlgorithmInfo* preferred = nullptr;  // a line for it wins over lines for others
    bool checkSignatures = false;              // starts GnuPG for a list that is signed
    std::string separator;  // of the folder window's lines, for its saved results to be read too
    const std::atomic<bool>* cancel = nullptr;
};

struct FoundEntry {
    bool found = false;
    Digest expected;
    // From the line's tag, the list's name, or the digest's length; the preferred algorithm
    // where it is one of several the length fits. Null when several fit and it is none of
    // them: see candidates.
    const AlgorithmInfo* algorithm = nullptr;
    std::vector<const AlgorithmInfo*> candidates;
    std::u16string listPath;
    std::uint64_t lineNumber = 0;
    SignatureCheck signature;  // of the list, with checkSignatures
};

// Nothing found, also when cancelled.
FoundEntry FindListEntry(const std::u16string& filePath, const FindOptions& options = {});

}  // namespace tessik
