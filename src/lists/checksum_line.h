#pragma once
// One line of a checksum list, in any of the forms people keep them in:
//   GNU        digest␠␠name, digest␠*name (binary marker) or digest␠name; b3sum's and xxhsum's
//              lines too
//   BSD tag    TAG (name) = digest; the tag may be padded with spaces, and "TAG(name)= digest"
//              is read too
//   separated  path<separator>digest, the folder window's own lines
//   SFV        name␠CRC, eight hexadecimal digits; lines starting with ';' are comments
// A line that starts with '\' carries an escaped name (\\, \n and \r), as the standard tools
// write a name holding a backslash or a line break.

#include <string>
#include <string_view>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"

namespace tessik {

enum class LineForm { kGnu, kBsd, kSeparated, kSfv };

enum class LineKind {
    kEntry,  // a name and a digest
    // Blank, or a comment starting with '#' or ';' (form kSfv for the latter, which only SFV
    // lists hold).
    kSkipped,
    kMalformed,  // none of the forms, or a digest of a length no algorithm has
};

struct ChecksumLine {
    LineKind kind = LineKind::kMalformed;
    LineForm form = LineForm::kGnu;
    std::string name;                       // the file name's bytes, unescaped
    Digest digest;                          // the expected digest
    const AlgorithmInfo* tagged = nullptr;  // the algorithm a BSD tag names
    bool binary = false;                    // GNU '*' marker
};

// The line without its end (LF, and a CR before it). The separator is that of the folder
// window's lines; empty, such lines are not looked for. In a list known to be SFV, its lines are
// looked for before GNU lines: a name starting with hexadecimal digits would read as a digest.
ChecksumLine ParseChecksumLine(std::string_view line, std::string_view separator,
                               bool sfvList = false);

// Two hexadecimal digits per byte, either case; empty when the text is not that.
Digest DigestFromHex(std::string_view hex);

// The catalogue's tag, its stable identifier, or the tag another tool writes for it
// ("SHA2-512/256"), in any ASCII case; null when none.
const AlgorithmInfo* AlgorithmWithTag(std::string_view tag);

}  // namespace tessik
