#pragma once
// Which algorithm checks a line of a list. In order: the one the user named; the line's BSD
// tag; the one the list's name stands for (its extension, ".sha256", ".md5", ".sha3-256", ...,
// or a name like "SHA256SUMS"); the digest's length when only one algorithm has it. A line
// whose length several algorithms share is ambiguous: it is reported, never guessed.

#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "lists/checksum_line.h"

namespace tessik {

enum class ChoiceOutcome {
    kChosen,
    kMismatch,   // the digest's length or the tag contradicts the algorithm named or implied
    kAmbiguous,  // several algorithms have a digest of this length
};

struct AlgorithmChoice {
    ChoiceOutcome outcome = ChoiceOutcome::kMismatch;
    const AlgorithmInfo* algorithm = nullptr;      // with kChosen
    std::vector<const AlgorithmInfo*> candidates;  // with kAmbiguous
};

// `named` is the user's choice and `ofList` that of the list's name; either may be null.
AlgorithmChoice ChooseAlgorithm(const ChecksumLine& line, const AlgorithmInfo* named,
                                const AlgorithmInfo* ofList);

// The algorithm a list's file name stands for; null when it stands for none.
const AlgorithmInfo* AlgorithmOfListName(const std::u16string& listPath);

}  // namespace tessik
