#pragma once
// Which algorithm checks a line of a list. In order: the one the user named; the line's BSD
// tag; the one the list's name stands for (its extension, ".sha256", ".md5", ".sha3-256",
// ".xxh128", ".b3", ".sfv", ..., or a name like "SHA256SUMS"); CRC-32 for an SFV line; the
// caller's own default, for a digest of its length; the digest's length when only one algorithm
// has it. A line whose length several algorithms share
// is otherwise ambiguous: it is reported, never guessed.

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

// `named` is the user's choice, `ofList` that of the list's name and `byDefault` the one the
// caller writes its own lines with; any of them may be null.
AlgorithmChoice ChooseAlgorithm(const ChecksumLine& line, const AlgorithmInfo* named,
                                const AlgorithmInfo* ofList,
                                const AlgorithmInfo* byDefault = nullptr);

// The algorithm a list's file name stands for; null when it stands for none.
const AlgorithmInfo* AlgorithmOfListName(const std::u16string& listPath);

// Named ".sfv", in any case: the list holds SFV lines (see ParseChecksumLine).
bool IsSfvListName(const std::u16string& listPath);

// The algorithm a line names by itself: its BSD tag, or CRC-32 for an SFV line, which has no
// other; null when it names none.
const AlgorithmInfo* AlgorithmOfLine(const ChecksumLine& line);

// The algorithm a person names, by its identifier, tag or name in the common spellings: case,
// '-', '_', blanks and parentheses aside ("sha256", "SHA-256", "sha2_256", "SHA-2(256)"); null
// when none is meant.
const AlgorithmInfo* AlgorithmNamed(std::string_view spelling);

}  // namespace tessik
