#pragma once
// Checksum lines as the tools that check them write them, byte for byte, so that either side can
// check the other's lists: GNU "digest␠␠name" ("digest␠*name" in binary mode), as coreutils,
// b3sum and xxhsum write them; BSD "TAG (name) = digest"; SFV "name␠DIGEST". xxhsum writes an
// XXH3 line tagged even among GNU lines, since it would read an untagged one as XXH64.
//
// Names: the standard tools and b3sum escape a name holding a backslash, a line feed or a
// carriage return (\\, \n, \r, the line starting with a backslash); xxhsum and the SFV tools
// take every byte as it is, so for them a name is escaped only where the line could not be read
// back otherwise: a line break in it, or, in an SFV line, a start that would make the line a
// comment, an escaped one, or lose its blanks. Lines ended by NUL are never escaped, since
// nothing in a name can end them early.

#include <string>
#include <string_view>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"
#include "lists/checksum_line.h"

namespace tessik {

enum class LineStyle { kGnu, kBsd, kSfv };

struct LineFormat {
    LineStyle style = LineStyle::kGnu;
    bool binary = false;     // GNU '*' marker
    bool upperCase = false;  // digits A-F instead of a-f; SFV lines always have them
    char end = '\n';         // '\n', or '\0' for lists read with NUL-separated tools
};

// The name is the file name's bytes.
std::string FormatChecksumLine(const LineFormat& format, const AlgorithmInfo& algorithm,
                               const Digest& digest, std::string_view name);

// The style that writes lines of a form as the list reader found them.
LineStyle StyleOfForm(LineForm form);

// SFV lines hold eight digits: an algorithm with a 32-bit digest.
bool FitsSfv(const AlgorithmInfo& algorithm);

// How a check names a file in its report: as is, unless it holds a line feed, which would
// break the report's lines; then escaped, with a backslash in front.
std::string NameForReport(std::string_view name);

}  // namespace tessik
